// Splitter choice, face cutting and the recursive build; the segment query.
#include "tools/mapc/bsp_build.h"

#include <algorithm>
#include <cstdlib>

namespace {

enum side { on_front, on_back, on_both };

// Where face f lies against the plane of splitter s.
side classify(const mapc_face& s, const mapc_face& f) {
  if (f.axis == s.axis) {
    if (f.plane == s.plane) return f.dir == s.dir ? on_front : on_back;
    return (f.plane - s.plane) * s.dir > 0 ? on_front : on_back;
  }
  int k = (s.axis - f.axis + 3) % 3 - 1;  // which of f's two extents runs along s.axis
  double lo = f.lo[k], hi = f.hi[k];
  if (hi <= s.plane) return s.dir > 0 ? on_back : on_front;
  if (lo >= s.plane) return s.dir > 0 ? on_front : on_back;
  return on_both;
}

// Cuts f at the splitter's plane into the part with lower and higher coordinate.
void cut(const mapc_face& s, const mapc_face& f, mapc_face& low, mapc_face& high) {
  int k = (s.axis - f.axis + 3) % 3 - 1;
  low = high = f;
  low.hi[k] = s.plane;
  high.lo[k] = s.plane;
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
      if (sd == on_front) ++front;
      else if (sd == on_back) ++back;
      else ++splits;
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
      mapc_face low, high;
      cut(splitter, faces[i], low, high);
      (splitter.dir > 0 ? back : front).push_back(low);
      (splitter.dir > 0 ? front : back).push_back(high);
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

// Signed distance of p in front of the node's plane (positive in front).
double front_distance(const mapc_face& f, const double p[3]) { return (p[f.axis] - f.plane) * f.dir; }

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
  m[f.axis] = f.plane;
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

int mapc_segment_clear(const mapc_tree& tree, const double a[3], const double b[3]) {
  return clear(tree, tree.root, a, b);
}

bool mapc_point_solid(const mapc_tree& tree, const double p[3]) { return !mapc_segment_clear(tree, p, p); }
