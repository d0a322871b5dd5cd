// Box faces clipped against the other boxes on a compressed grid of the face.
#include "tools/mapc/csg.h"

#include <algorithm>

namespace {

struct rect {
  double lo[2], hi[2];
};

// Whether box j hides (part of) face f of box i: the space right in front of the
// face is inside j, or j is an earlier box with the same face.
bool hides(const mapc_box& j, int axis, int dir, double p, bool earlier) {
  if (dir > 0 && j.lo[axis] <= p && p < j.hi[axis]) return true;
  if (dir < 0 && j.lo[axis] < p && p <= j.hi[axis]) return true;
  if (!earlier) return false;
  return dir > 0 ? j.hi[axis] == p : j.lo[axis] == p;
}

std::vector<double> cuts(double lo, double hi, const std::vector<rect>& covers, int k) {
  std::vector<double> c{lo, hi};
  for (const rect& r : covers) {
    if (r.lo[k] > lo && r.lo[k] < hi) c.push_back(r.lo[k]);
    if (r.hi[k] > lo && r.hi[k] < hi) c.push_back(r.hi[k]);
  }
  std::sort(c.begin(), c.end());
  c.erase(std::unique(c.begin(), c.end()), c.end());
  return c;
}

// The parts of `face` left uncovered by `covers`, as few rectangles.
void subtract(const rect& face, const std::vector<rect>& covers, std::vector<rect>& out) {
  std::vector<double> c0 = cuts(face.lo[0], face.hi[0], covers, 0);
  std::vector<double> c1 = cuts(face.lo[1], face.hi[1], covers, 1);
  int n0 = static_cast<int>(c0.size()) - 1, n1 = static_cast<int>(c1.size()) - 1;
  std::vector<char> open(n0 * n1, 1);
  for (const rect& r : covers) {
    int a0 = static_cast<int>(std::lower_bound(c0.begin(), c0.end(), std::max(r.lo[0], face.lo[0])) - c0.begin());
    int b0 = static_cast<int>(std::lower_bound(c0.begin(), c0.end(), std::min(r.hi[0], face.hi[0])) - c0.begin());
    int a1 = static_cast<int>(std::lower_bound(c1.begin(), c1.end(), std::max(r.lo[1], face.lo[1])) - c1.begin());
    int b1 = static_cast<int>(std::lower_bound(c1.begin(), c1.end(), std::min(r.hi[1], face.hi[1])) - c1.begin());
    for (int i = a0; i < b0; ++i)
      for (int j = a1; j < b1; ++j) open[i * n1 + j] = 0;
  }
  for (int i = 0; i < n0; ++i)
    for (int j = 0; j < n1; ++j) {
      if (!open[i * n1 + j]) continue;
      int j1 = j;
      while (j1 + 1 < n1 && open[i * n1 + j1 + 1]) ++j1;
      int i1 = i;
      for (bool grow = true; grow && i1 + 1 < n0;) {
        for (int jj = j; jj <= j1; ++jj)
          if (!open[(i1 + 1) * n1 + jj]) grow = false;
        if (grow) ++i1;
      }
      for (int ii = i; ii <= i1; ++ii)
        for (int jj = j; jj <= j1; ++jj) open[ii * n1 + jj] = 0;
      out.push_back({{c0[i], c1[j]}, {c0[i1 + 1], c1[j1 + 1]}});
    }
}

}  // namespace

std::vector<mapc_face> mapc_csg_faces(const std::vector<mapc_box>& boxes) {
  std::vector<mapc_face> faces;
  std::vector<rect> covers, pieces;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const mapc_box& b = boxes[i];
    for (int slot = 0; slot < 6; ++slot) {
      int axis = slot / 2, dir = slot % 2 ? 1 : -1;
      int a0 = (axis + 1) % 3, a1 = (axis + 2) % 3;
      double p = dir > 0 ? b.hi[axis] : b.lo[axis];
      rect face{{b.lo[a0], b.lo[a1]}, {b.hi[a0], b.hi[a1]}};
      covers.clear();
      for (size_t j = 0; j < boxes.size(); ++j) {
        const mapc_box& o = boxes[j];
        if (j == i || o.lo[a0] >= face.hi[0] || o.hi[a0] <= face.lo[0] || o.lo[a1] >= face.hi[1] ||
            o.hi[a1] <= face.lo[1])
          continue;
        if (hides(o, axis, dir, p, j < i)) covers.push_back({{o.lo[a0], o.lo[a1]}, {o.hi[a0], o.hi[a1]}});
      }
      pieces.clear();
      subtract(face, covers, pieces);
      for (const rect& r : pieces)
        faces.push_back({axis, dir, p, {r.lo[0], r.lo[1]}, {r.hi[0], r.hi[1]}, b.texture[slot]});
    }
  }
  return faces;
}
