// Splitter choice, face cutting and the recursive build; the segment query.
#include "tools/mapc/bsp_build.h"

#include <algorithm>
#include <cstdlib>

#include "tools/mapc/face_layout.h"

namespace {

enum side { on_front, on_back, on_both };

// Where face f lies against the plane of splitter s.
side classify(const mapc_face& s, const mapc_face& f) {
  switch (mapc_winding_side(f.w, s.plane)) {
    case side_front:
      return on_front;
    case side_back:
      return on_back;
    case side_on: {
      double d = s.plane.n[0] * f.plane.n[0] + s.plane.n[1] * f.plane.n[1] + s.plane.n[2] * f.plane.n[2];
      return d > 0 ? on_front : on_back;
    }
    default:
      return on_both;
  }
}

int choose_splitter(const std::vector<mapc_face>& faces) {
  const int n = static_cast<int>(faces.size());
  const int samples = 32;
  int step = std::max(1, n / samples);
  int best = 0;
  long best_score = -1;
  for (int c = 0; c < n; c += step) {
    long front = 0, back = 0, splits = 0;
    for (int i = 0; i < n; ++i) {
      if (i == c) continue;
      side sd = classify(faces[c], faces[i]);
      if (sd == on_front)
        ++front;
      else if (sd == on_back)
        ++back;
      else
        ++splits;
    }
    long score = 8 * splits + std::labs(front - back);
    if (best_score < 0 || score < best_score) {
      best_score = score;
      best = c;
    }
  }
  return best;
}

int add_leaf(mapc_tree& t, int solid) {
  t.nodes.push_back({-1, -1, -1, solid});
  return static_cast<int>(t.nodes.size()) - 1;
}

int build(mapc_tree& t, std::vector<mapc_face>& faces, int depth) {
  t.depth = std::max(t.depth, depth);
  int s = choose_splitter(faces);
  mapc_face splitter = faces[s];
  std::vector<mapc_face> front, back;
  for (size_t i = 0; i < faces.size(); ++i) {
    if (static_cast<int>(i) == s) continue;
    side sd = classify(splitter, faces[i]);
    if (sd == on_front) {
      front.push_back(faces[i]);
    } else if (sd == on_back) {
      back.push_back(faces[i]);
    } else {
      mapc_face f = faces[i], b = faces[i];
      mapc_winding_split(faces[i].w, splitter.plane, f.w, b.w);
      if (!mapc_winding_tiny(b.w)) back.push_back(b);
      if (!mapc_winding_tiny(f.w)) front.push_back(f);
    }
  }
  faces.clear();
  faces.shrink_to_fit();
  t.faces.push_back(splitter);
  int node = static_cast<int>(t.nodes.size());
  t.nodes.push_back({static_cast<int>(t.faces.size()) - 1, -1, -1, 0});
  int f = front.empty() ? add_leaf(t, 0) : build(t, front, depth + 1);
  t.nodes[node].front = f;
  int b = back.empty() ? add_leaf(t, 1) : build(t, back, depth + 1);
  t.nodes[node].back = b;
  return node;
}

// Copies the subtree under n into out, cutting faces into quads.
int copy_quads(const mapc_tree& in, int n, mapc_tree& out, int depth, std::vector<int>* node_map) {
  const mapc_node& node = in.nodes[n];
  if (node.face < 0) {
    int leaf = add_leaf(out, node.solid);
    if (node_map) (*node_map)[n] = leaf;
    return leaf;
  }
  std::vector<mapc_winding> quads = mapc_face_quads(in.faces[node.face]);
  if (quads.empty()) quads.push_back(in.faces[node.face].w);  // cannot happen with a face of area
  std::vector<int> chain;
  for (const mapc_winding& q : quads) {
    mapc_face f = in.faces[node.face];
    f.w = q;
    out.faces.push_back(f);
    chain.push_back(static_cast<int>(out.nodes.size()));
    out.nodes.push_back({static_cast<int>(out.faces.size()) - 1, -1, -1, 0});
    if (chain.size() > 1) out.nodes[chain[chain.size() - 2]].front = chain.back();
    out.depth = std::max(out.depth, depth + static_cast<int>(chain.size()) - 1);
  }
  if (node_map) (*node_map)[n] = chain[0];
  const int last = depth + static_cast<int>(chain.size()) - 1;
  int f = copy_quads(in, node.front, out, last + 1, node_map);
  out.nodes[chain.back()].front = f;
  for (size_t i = chain.size(); i-- > 1;) out.nodes[chain[i]].back = add_leaf(out, 1);
  int b = copy_quads(in, node.back, out, depth + 1, node_map);
  out.nodes[chain[0]].back = b;
  return chain[0];
}

// Signed distance of p in front of the node's plane (positive in front).
double front_distance(const mapc_face& f, const double p[3]) {
  return mapc_plane_dist(f.plane, {p[0], p[1], p[2]});
}

int clear(const mapc_tree& t, int n, const double a[3], const double b[3]) {
  const mapc_node& node = t.nodes[n];
  if (node.face < 0) return node.solid ? 0 : 1;
  const mapc_face& f = t.faces[node.face];
  double da = front_distance(f, a), db = front_distance(f, b);
  if (da == 0) return clear(t, db < 0 ? node.back : node.front, a, b);
  if (da > 0 && db >= 0) return clear(t, node.front, a, b);
  if (da < 0 && db <= 0) return clear(t, node.back, a, b);
  double m[3];
  double tt = da / (da - db);
  for (int k = 0; k < 3; ++k) m[k] = a[k] + tt * (b[k] - a[k]);
  if (f.plane.axis >= 0) m[f.plane.axis] = f.plane.d * f.plane.n[f.plane.axis];
  if (da > 0) return clear(t, node.front, a, m) && clear(t, node.back, b, m);
  return clear(t, node.front, b, m) && clear(t, node.back, a, m);
}

}  // namespace

mapc_tree mapc_bsp_build(const std::vector<mapc_face>& faces) {
  mapc_tree t;
  t.depth = 0;
  if (faces.empty()) {
    t.root = add_leaf(t, 0);
    return t;
  }
  std::vector<mapc_face> work = faces;
  t.root = build(t, work, 1);
  return t;
}

mapc_tree mapc_tree_quads(const mapc_tree& tree, std::vector<int>* node_map) {
  mapc_tree out;
  out.depth = 0;
  if (node_map) node_map->assign(tree.nodes.size(), -1);
  out.root = copy_quads(tree, tree.root, out, 1, node_map);
  return out;
}

std::vector<int> mapc_leaf_numbers(const mapc_tree& tree, int* count) {
  std::vector<int> number(tree.nodes.size(), -1);
  *count = 0;
  std::vector<int> stack{tree.root};
  while (!stack.empty()) {
    int n = stack.back();
    stack.pop_back();
    const mapc_node& node = tree.nodes[n];
    if (node.face < 0) {
      number[n] = (*count)++;
      continue;
    }
    stack.push_back(node.back);
    stack.push_back(node.front);
  }
  return number;
}

int mapc_segment_clear(const mapc_tree& tree, const double a[3], const double b[3]) {
  return clear(tree, tree.root, a, b);
}

bool mapc_point_solid(const mapc_tree& tree, const double p[3]) { return !mapc_segment_clear(tree, p, p); }

int mapc_leaf_at(const mapc_tree& tree, const double p[3]) {
  int n = tree.root;
  while (tree.nodes[n].face >= 0) {
    const mapc_node& node = tree.nodes[n];
    n = front_distance(tree.faces[node.face], p) < 0 ? node.back : node.front;
  }
  return n;
}
