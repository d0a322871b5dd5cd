// Reading the visible sets and marking the nodes the eye's leaf sees.
#include "world/world_vis.h"

#include <cstdio>
#include <cstring>

#include "world/bsp_node.h"

namespace {

uint32_t read32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
  return v;
}

// Every node in the map file's order with its subtree's size and leaf
// number; false when an inner node lacks a child.
bool number_nodes(world_vis& vis, const bsp_node* root) {
  std::vector<const bsp_node*> order;
  std::vector<const bsp_node*> stack{root};
  while (!stack.empty()) {
    const bsp_node* n = stack.back();
    stack.pop_back();
    order.push_back(n);
    if (n->is_leaf) continue;
    if (!n->front || !n->back) return false;
    if (n->back) stack.push_back(n->back);
    if (n->front) stack.push_back(n->front);
  }
  vis.subtree_size.assign(order.size(), 1);
  vis.leaf_number.assign(order.size(), -1);
  int leaves = 0;
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i]->is_leaf) vis.leaf_number[i] = leaves++;
  vis.leaf_count = leaves;
  // A subtree is its node and the subtrees right after it.
  for (size_t i = order.size(); i-- > 0;) {
    const bsp_node* n = order[i];
    if (n->is_leaf) continue;
    size_t at = i + 1;
    for (const bsp_node* child : {n->front, n->back})
      if (child && at < order.size() && order[at] == child) {
        vis.subtree_size[i] += vis.subtree_size[at];
        at += static_cast<size_t>(vis.subtree_size[at]);
      }
  }
  vis.seen.assign(order.size(), 1);
  return true;
}

// Checks one packed row against the leaf count; its length in the file.
bool row_fits(const std::string& row, int leaf_count) {
  size_t bytes = 0, want = (static_cast<size_t>(leaf_count) + 7) / 8;
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] != 0) {
      ++bytes;
    } else {
      if (i + 1 >= row.size()) return false;
      bytes += static_cast<uint8_t>(row[++i]);
    }
  }
  return bytes == want;
}

bool refuse(world_vis& vis, const std::string& path, const char* why) {
  printf("vis \"%s\" ignored: %s\n", path.c_str(), why);
  world_vis_clear(vis);
  return false;
}

// The place in the map file's order of the leaf holding p, by the tree
// queries' rule (a point on a plane is in front); -1 without sets for root.
int leaf_index(const world_vis& vis, const bsp_node* root, const double p[3], const bsp_node** leaf) {
  if (!root || vis.root != root) return -1;
  const bsp_node* n = root;
  size_t index = 0;
  while (!n->is_leaf) {
    const bsp_polygon* poly = n->poly;
    if (!poly || !poly->verts || poly->vert_count < 1) return -1;
    const map_vertex& v = poly->verts[0];
    double d = (v.x - p[0]) * poly->normal[0] + (v.y - p[1]) * poly->normal[1] + (v.z - p[2]) * poly->normal[2];
    bool front = !(d > 0.0);
    size_t front_index = index + 1;
    index = front ? front_index : front_index + static_cast<size_t>(vis.subtree_size[front_index]);
    n = front ? n->front : n->back;
  }
  *leaf = n;
  return static_cast<int>(index);
}

}  // namespace

void world_vis_clear(world_vis& vis) { vis = world_vis{}; }

bool world_vis_load(world_vis& vis, const char* map_path, const bsp_node* root) {
  world_vis_clear(vis);
  std::string path = map_path ? map_path : "";
  size_t dot = path.rfind(".t3bsp");
  if (!root || dot == std::string::npos || dot + 6 != path.size()) return false;
  path = path.substr(0, dot) + ".vis";
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string data;
  char buf[65536];
  for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) data.append(buf, n);
  fclose(f);
  if (data.size() < 16 || data.compare(0, 4, "TVIS") != 0 || read32(data, 4) != 1)
    return refuse(vis, path, "not a vis file of version 1");
  if (!number_nodes(vis, root)) return refuse(vis, path, "the tree has a node without two children");
  int inner = static_cast<int>(vis.leaf_number.size()) - vis.leaf_count;
  if (read32(data, 8) != static_cast<uint32_t>(vis.leaf_count) || read32(data, 12) != static_cast<uint32_t>(inner))
    return refuse(vis, path, "made for another tree");
  size_t at = 16;
  vis.rows.resize(vis.leaf_count);
  for (int leaf = 0; leaf < vis.leaf_count; ++leaf) {
    if (at + 4 > data.size()) return refuse(vis, path, "cut short");
    uint32_t len = read32(data, at);
    at += 4;
    if (len > data.size() - at) return refuse(vis, path, "cut short");
    vis.rows[leaf] = data.substr(at, len);
    at += len;
    if (!row_fits(vis.rows[leaf], vis.leaf_count)) return refuse(vis, path, "a row does not fit the tree");
  }
  vis.root = root;
  return true;
}

bool world_vis_sees(const world_vis& vis, const bsp_node* root, const double p[3]) {
  const bsp_node* leaf = nullptr;
  int index = leaf_index(vis, root, p, &leaf);
  return index < 0 || vis.eye_leaf < 0 || vis.seen[index];
}

bool world_vis_update(world_vis& vis, const bsp_node* root, const double eye[3]) {
  if (!root || vis.root != root) return false;
  const bsp_node* n = nullptr;
  int index = leaf_index(vis, root, eye, &n);
  if (index < 0) return false;
  int leaf = vis.leaf_number[index];
  if (n->contents != 0 || leaf < 0 || vis.rows[leaf].empty()) return false;
  if (leaf == vis.eye_leaf) return true;
  // The row unpacked, then the nodes from the last up.
  std::vector<uint8_t> bits;
  const std::string& row = vis.rows[leaf];
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] != 0)
      bits.push_back(static_cast<uint8_t>(row[i]));
    else
      bits.insert(bits.end(), static_cast<uint8_t>(row[++i]), 0);
  }
  bool any = false;
  for (uint8_t b : bits) any = any || b != 0;
  if (!any) return false;  // a leaf the compiler gave no set
  for (size_t i = vis.seen.size(); i-- > 0;) {
    int l = vis.leaf_number[i];
    if (l >= 0) {
      vis.seen[i] = (bits[l / 8] >> (l % 8)) & 1;
      continue;
    }
    size_t front = i + 1, back = front + static_cast<size_t>(vis.subtree_size[front]);
    vis.seen[i] = vis.seen[front] || (back < vis.seen.size() && back < i + vis.subtree_size[i] && vis.seen[back]);
  }
  vis.eye_leaf = leaf;
  return true;
}
