// Portals cut down the tree, as the classic BSP compilers make them.
#include "tools/mapc/portals.h"

#include <algorithm>
#include <deque>

#include "tools/mapc/brush.h"

namespace {

struct builder {
  const mapc_tree& tree;
  mapc_portals& out;
  std::vector<char> alive;
  std::vector<std::vector<int>> of_node;

  int add(const mapc_winding& w, const mapc_plane& plane, int front, int back) {
    out.portals.push_back({w, plane, {front, back}});
    alive.push_back(1);
    int id = static_cast<int>(out.portals.size()) - 1;
    of_node[front].push_back(id);
    of_node[back].push_back(id);
    return id;
  }

  // The node's own portal: its plane cut to the node's cell.
  void node_portal(int n) {
    const mapc_node& node = tree.nodes[n];
    const mapc_plane& plane = tree.faces[node.face].plane;
    mapc_winding w = mapc_base_winding(plane, mapc_world_extent);
    for (int id : of_node[n]) {
      if (!alive[id] || w.empty()) continue;
      const mapc_portal& p = out.portals[id];
      w = mapc_winding_clip(w, p.plane, p.leaf[0] == n);
    }
    if (!mapc_winding_tiny(w)) add(w, plane, node.front, node.back);
  }

  // The portals bounding the node, handed to the child (or children) on
  // whose side of the node's plane they lie.
  void split_portals(int n, size_t count) {
    const mapc_node& node = tree.nodes[n];
    const mapc_plane& plane = tree.faces[node.face].plane;
    for (size_t i = 0; i < count; ++i) {
      int id = of_node[n][i];
      if (!alive[id]) continue;
      mapc_portal p = out.portals[id];
      int side = p.leaf[0] == n ? 0 : 1;
      mapc_winding front, back;
      mapc_winding_split(p.w, plane, front, back);
      bool has_front = !mapc_winding_tiny(front), has_back = !mapc_winding_tiny(back);
      if (has_front && !has_back) {
        out.portals[id].leaf[side] = node.front;
        of_node[node.front].push_back(id);
        continue;
      }
      if (has_back && !has_front) {
        out.portals[id].leaf[side] = node.back;
        of_node[node.back].push_back(id);
        continue;
      }
      alive[id] = 0;
      if (!has_front && !has_back) continue;
      for (int child : {node.front, node.back}) {
        p.leaf[side] = child;
        add(child == node.front ? front : back, p.plane, p.leaf[0], p.leaf[1]);
      }
    }
  }

  void walk(int n) {
    const mapc_node& node = tree.nodes[n];
    if (node.face < 0) return;
    size_t count = of_node[n].size();
    node_portal(n);
    split_portals(n, count);
    of_node[n].clear();
    walk(node.front);
    walk(node.back);
  }
};

void tree_bounds(const mapc_tree& t, double lo[3], double hi[3]) {
  for (int k = 0; k < 3; ++k) lo[k] = hi[k] = 0;
  bool first = true;
  for (const mapc_face& f : t.faces)
    for (const mapc_vec& v : f.w) {
      const double c[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k) {
        lo[k] = first ? c[k] : std::min(lo[k], c[k]);
        hi[k] = first ? c[k] : std::max(hi[k], c[k]);
      }
      first = false;
    }
}

}  // namespace

mapc_portals mapc_make_portals(const mapc_tree& tree) {
  mapc_portals out;
  out.outside = static_cast<int>(tree.nodes.size());
  builder b{tree, out, {}, std::vector<std::vector<int>>(tree.nodes.size() + 1)};
  double lo[3], hi[3];
  tree_bounds(tree, lo, hi);
  std::vector<mapc_plane> box;
  for (int k = 0; k < 3; ++k)
    for (int dir : {-1, 1}) {
      double n[3] = {0, 0, 0};
      n[k] = dir;
      box.push_back(mapc_plane_make(n, dir > 0 ? hi[k] + 8 : -(lo[k] - 8)));
    }
  for (size_t i = 0; i < box.size(); ++i) {
    mapc_winding w = mapc_base_winding(box[i], mapc_world_extent);
    for (size_t j = 0; j < box.size(); ++j)
      if (j != i) w = mapc_winding_clip(w, box[j], false);
    b.add(w, box[i], out.outside, tree.root);
  }
  b.walk(tree.root);
  out.of_leaf.assign(tree.nodes.size() + 1, {});
  for (size_t id = 0; id < out.portals.size(); ++id) {
    if (!b.alive[id]) continue;
    out.of_leaf[out.portals[id].leaf[0]].push_back(static_cast<int>(id));
    out.of_leaf[out.portals[id].leaf[1]].push_back(static_cast<int>(id));
  }
  return out;
}

void mapc_flood_outside(const mapc_tree& tree, mapc_portals& p) {
  p.reached.assign(tree.nodes.size() + 1, 0);
  p.parent.assign(tree.nodes.size() + 1, -1);
  std::deque<int> queue{p.outside};
  p.reached[p.outside] = 1;
  while (!queue.empty()) {
    int leaf = queue.front();
    queue.pop_front();
    for (int id : p.of_leaf[leaf]) {
      const mapc_portal& portal = p.portals[id];
      int next = portal.leaf[0] == leaf ? portal.leaf[1] : portal.leaf[0];
      if (p.reached[next] || tree.nodes[next].solid) continue;
      p.reached[next] = 1;
      p.parent[next] = id;
      queue.push_back(next);
    }
  }
}

std::vector<mapc_vec> mapc_way_out(const mapc_portals& p, int leaf) {
  std::vector<mapc_vec> out;
  for (int l = leaf; l != p.outside && l >= 0 && out.size() <= p.portals.size();) {
    int id = p.parent[l];
    if (id < 0) break;
    const mapc_portal& portal = p.portals[id];
    out.push_back(mapc_winding_centre(portal.w));
    l = portal.leaf[0] == l ? portal.leaf[1] : portal.leaf[0];
  }
  return out;
}
