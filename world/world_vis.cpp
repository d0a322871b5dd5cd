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

// Whether one packed row unpacks to exactly a bit for each of `count`.
bool row_fits(const std::string& row, int count) {
  size_t bytes = 0, want = (static_cast<size_t>(count) + 7) / 8;
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
    double d =
        (v.x - p[0]) * poly->normal[0] + (v.y - p[1]) * poly->normal[1] + (v.z - p[2]) * poly->normal[2];
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

namespace {

// The leaves' cluster lists from `at`; false when the file ends or names a
// cluster it does not have.
bool read_leaf_clusters(world_vis& vis, const std::string& data, size_t& at) {
  vis.leaf_first.assign(1, 0);
  for (int leaf = 0; leaf < vis.leaf_count; ++leaf) {
    if (at + 4 > data.size()) return false;
    uint32_t n = read32(data, at);
    at += 4;
    if (n > (data.size() - at) / 4) return false;
    for (uint32_t i = 0; i < n; ++i, at += 4) {
      uint32_t c = read32(data, at);
      if (c >= static_cast<uint32_t>(vis.cluster_count)) return false;
      vis.leaf_clusters.push_back(c);
    }
    vis.leaf_first.push_back(static_cast<uint32_t>(vis.leaf_clusters.size()));
  }
  return true;
}

// Ors the packed row into `bits`.
void add_row(std::vector<uint8_t>& bits, const std::string& row) {
  size_t at = 0;
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] != 0) {
      bits[at++] |= static_cast<uint8_t>(row[i]);
      continue;
    }
    at += static_cast<uint8_t>(row[++i]);
  }
}

}  // namespace

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
  if (data.size() < 20 || data.compare(0, 4, "TVIS") != 0 || read32(data, 4) != 2)
    return refuse(vis, path, "not a vis file of version 2");
  if (!number_nodes(vis, root)) return refuse(vis, path, "the tree has a node without two children");
  int inner = static_cast<int>(vis.leaf_number.size()) - vis.leaf_count;
  if (read32(data, 8) != static_cast<uint32_t>(vis.leaf_count) ||
      read32(data, 12) != static_cast<uint32_t>(inner))
    return refuse(vis, path, "made for another tree");
  // Each cluster's row takes at least its four-byte length.
  uint32_t clusters = read32(data, 16);
  if (clusters > (data.size() - 20) / 4) return refuse(vis, path, "cut short");
  vis.cluster_count = static_cast<int>(clusters);
  size_t at = 20;
  if (!read_leaf_clusters(vis, data, at)) return refuse(vis, path, "a leaf's clusters do not fit");
  vis.rows.resize(vis.cluster_count);
  for (int c = 0; c < vis.cluster_count; ++c) {
    if (at + 4 > data.size()) return refuse(vis, path, "cut short");
    uint32_t len = read32(data, at);
    at += 4;
    if (len > data.size() - at) return refuse(vis, path, "cut short");
    vis.rows[c] = data.substr(at, len);
    at += len;
    if (!row_fits(vis.rows[c], vis.cluster_count)) return refuse(vis, path, "a row does not fit the tree");
  }
  vis.root = root;
  return true;
}

bool world_vis_sees(const world_vis& vis, const bsp_node* root, const double p[3]) {
  const bsp_node* leaf = nullptr;
  int index = leaf_index(vis, root, p, &leaf);
  return index < 0 || vis.eye_leaf < 0 || vis.seen[index];
}

namespace {

// The box against the subtree at `index` (the map file's order): passed by
// where the subtree holds no seen leaf, split by each plane it crosses.
bool box_seen(const world_vis& vis, const bsp_node* n, size_t index, const double lo[3], const double hi[3]) {
  if (!vis.seen[index]) return false;
  if (n->is_leaf) return true;
  const bsp_polygon* poly = n->poly;
  if (!poly || !poly->verts || poly->vert_count < 1) return true;
  // The box's least and greatest distance in front of the plane.
  const map_vertex& v = poly->verts[0];
  const double p[3] = {v.x, v.y, v.z};
  double near = 0.0, far = 0.0;
  for (int k = 0; k < 3; ++k) {
    double a = (lo[k] - p[k]) * poly->normal[k], b = (hi[k] - p[k]) * poly->normal[k];
    near += a < b ? a : b;
    far += a < b ? b : a;
  }
  const size_t front = index + 1, back = front + static_cast<size_t>(vis.subtree_size[front]);
  if (far >= 0.0 && box_seen(vis, n->front, front, lo, hi)) return true;
  return near <= 0.0 && box_seen(vis, n->back, back, lo, hi);
}

}  // namespace

bool world_vis_box_seen(const world_vis& vis, const bsp_node* root, const double lo[3], const double hi[3]) {
  if (!root || vis.root != root || vis.eye_leaf < 0) return true;
  return box_seen(vis, root, 0, lo, hi);
}

namespace {

// The eye's clusters' sets for the eye leaf `leaf`, into `seen` (leaves,
// then the nodes from the last up); false when they see nothing.
bool mark_seen(world_vis& vis, int leaf) {
  vis.eye_sees.assign((static_cast<size_t>(vis.cluster_count) + 7) / 8, 0);
  for (uint32_t i = vis.leaf_first[leaf]; i < vis.leaf_first[leaf + 1]; ++i)
    add_row(vis.eye_sees, vis.rows[vis.leaf_clusters[i]]);
  bool any = false;
  for (uint8_t b : vis.eye_sees) any = any || b != 0;
  if (!any) return false;  // clusters the compiler gave no set
  for (size_t i = vis.seen.size(); i-- > 0;) {
    int l = vis.leaf_number[i];
    if (l >= 0) {
      bool in = false;
      for (uint32_t k = vis.leaf_first[l]; k < vis.leaf_first[l + 1] && !in; ++k)
        in = (vis.eye_sees[vis.leaf_clusters[k] / 8] >> (vis.leaf_clusters[k] % 8)) & 1;
      vis.seen[i] = in;
      continue;
    }
    size_t front = i + 1, back = front + static_cast<size_t>(vis.subtree_size[front]);
    vis.seen[i] =
        vis.seen[front] || (back < vis.seen.size() && back < i + vis.subtree_size[i] && vis.seen[back]);
  }
  return true;
}

}  // namespace

bool world_vis_update(world_vis& vis, const bsp_node* root, const double eye[3]) {
  if (!root || vis.root != root) return false;
  const bsp_node* n = nullptr;
  int index = leaf_index(vis, root, eye, &n);
  int leaf = index < 0 ? -1 : vis.leaf_number[index];
  if (leaf >= 0 && leaf == vis.eye_leaf) return true;
  // An eye in solid, or in a leaf without a set, sees everything.
  bool ok = leaf >= 0 && n->contents == 0 && vis.leaf_first[leaf] != vis.leaf_first[leaf + 1] &&
            mark_seen(vis, leaf);
  vis.eye_leaf = ok ? leaf : -1;
  return ok;
}
