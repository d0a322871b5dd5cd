// Brush faces clipped against the other brushes.
#include "tools/mapc/csg.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "tools/mapc/brush.h"
#include "tools/mapc/polygon_merge.h"

namespace {

struct rect {
  double lo[2], hi[2];
};

// Whether box j hides (part of) face f of box i: the space right in front of the
// face is inside j, or j is an earlier box with the same face.
bool hides(const mapc_brush& j, int axis, int dir, double p, bool earlier) {
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
void subtract_rects(const rect& face, const std::vector<rect>& covers, std::vector<rect>& out) {
  std::vector<double> c0 = cuts(face.lo[0], face.hi[0], covers, 0);
  std::vector<double> c1 = cuts(face.lo[1], face.hi[1], covers, 1);
  int n0 = static_cast<int>(c0.size()) - 1, n1 = static_cast<int>(c1.size()) - 1;
  std::vector<char> open(n0 * n1, 1);
  for (const rect& r : covers) {
    int a0 =
        static_cast<int>(std::lower_bound(c0.begin(), c0.end(), std::max(r.lo[0], face.lo[0])) - c0.begin());
    int b0 =
        static_cast<int>(std::lower_bound(c0.begin(), c0.end(), std::min(r.hi[0], face.hi[0])) - c0.begin());
    int a1 =
        static_cast<int>(std::lower_bound(c1.begin(), c1.end(), std::max(r.lo[1], face.lo[1])) - c1.begin());
    int b1 =
        static_cast<int>(std::lower_bound(c1.begin(), c1.end(), std::min(r.hi[1], face.hi[1])) - c1.begin());
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

// A rectangle of a plane of constant `axis` as a polygon, counter-clockwise
// seen from the side its face looks to.
mapc_winding rect_winding(const rect& r, int axis, int dir, double p) {
  mapc_winding w;
  const double uv[4][2] = {{r.lo[0], r.lo[1]}, {r.hi[0], r.lo[1]}, {r.hi[0], r.hi[1]}, {r.lo[0], r.hi[1]}};
  for (int i = 0; i < 4; ++i) {
    double c[3];
    c[axis] = p;
    c[(axis + 1) % 3] = uv[i][0];
    c[(axis + 2) % 3] = uv[i][1];
    w.push_back({c[0], c[1], c[2]});
  }
  if (dir < 0) std::reverse(w.begin(), w.end());
  return w;
}

// The part of face polygon `w` (plane `p`, of a brush other than `o`) that
// `o` hides: where `o` fills the space right in front of it, or where an
// earlier `o` has a face of its own in the same plane and direction.
mapc_winding cover_of(const mapc_winding& w, const mapc_plane& p, const mapc_brush& o, bool earlier) {
  mapc_winding c = w;
  for (size_t k = 0; k < o.faces.size() && !c.empty(); ++k) {
    mapc_plane g = mapc_brush_plane(o, k);
    if (mapc_plane_same(g, p)) {
      if (!earlier) return {};
      continue;  // o lies behind the face, flush with it: its other planes give the footprint
    }
    if (mapc_plane_same(g, mapc_plane_flip(p))) continue;  // o touches the face from the front
    c = mapc_winding_clip(c, g, false);
  }
  return mapc_winding_tiny(c) ? mapc_winding{} : c;
}

// Brushes listed in the cells of a coarse grid over x and z, so a face only
// meets the brushes near it.
struct brush_grid {
  static constexpr double cell = 16.0;
  std::map<std::pair<long, long>, std::vector<int>> cells;
  std::vector<int> stamp;
  int round = 0;

  static long at(double v) { return static_cast<long>(std::floor(v / cell)); }
  explicit brush_grid(const std::vector<mapc_brush>& brushes) : stamp(brushes.size(), -1) {
    for (size_t i = 0; i < brushes.size(); ++i)
      for (long x = at(brushes[i].lo[0]); x <= at(brushes[i].hi[0]); ++x)
        for (long z = at(brushes[i].lo[2]); z <= at(brushes[i].hi[2]); ++z)
          cells[{x, z}].push_back(static_cast<int>(i));
  }
  // The brushes whose cells meet the box, in their source order.
  std::vector<int> near(const double lo[3], const double hi[3]) {
    ++round;
    std::vector<int> out;
    for (long x = at(lo[0] - 1e-3); x <= at(hi[0] + 1e-3); ++x)
      for (long z = at(lo[2] - 1e-3); z <= at(hi[2] + 1e-3); ++z) {
        auto it = cells.find({x, z});
        if (it == cells.end()) continue;
        for (int j : it->second)
          if (stamp[j] != round) {
            stamp[j] = round;
            out.push_back(j);
          }
      }
    std::sort(out.begin(), out.end());
    return out;
  }
};

bool bounds_meet(const mapc_brush& o, const double lo[3], const double hi[3]) {
  for (int k = 0; k < 3; ++k)
    if (o.lo[k] > hi[k] + mapc_on_epsilon || o.hi[k] < lo[k] - mapc_on_epsilon) return false;
  return true;
}

void winding_bounds(const mapc_winding& w, double lo[3], double hi[3]) {
  for (size_t i = 0; i < w.size(); ++i) {
    const double c[3] = {w[i].x, w[i].y, w[i].z};
    for (int k = 0; k < 3; ++k) {
      lo[k] = i ? std::min(lo[k], c[k]) : c[k];
      hi[k] = i ? std::max(hi[k], c[k]) : c[k];
    }
  }
}

// The uncovered parts of one face of brush i.
void face_pieces(const std::vector<mapc_brush>& brushes, brush_grid& grid, size_t i, size_t slot,
                 const mapc_winding& w, std::vector<mapc_face>& out) {
  const mapc_brush& b = brushes[i];
  mapc_plane p = mapc_brush_plane(b, slot);
  const int axis = p.axis, dir = axis >= 0 && p.n[axis] > 0 ? 1 : -1;
  const bool boxed = b.box && axis >= 0;
  const int a0 = (axis + 1) % 3, a1 = (axis + 2) % 3;
  const double plane_at = axis >= 0 ? (dir > 0 ? b.hi[axis] : b.lo[axis]) : 0;
  double lo[3], hi[3];
  winding_bounds(w, lo, hi);
  rect face{{0, 0}, {0, 0}};
  if (boxed) face = {{b.lo[a0], b.lo[a1]}, {b.hi[a0], b.hi[a1]}};
  std::vector<rect> rect_covers;
  std::vector<mapc_winding> covers;
  for (int j : grid.near(lo, hi)) {
    const mapc_brush& o = brushes[j];
    if (static_cast<size_t>(j) == i || !bounds_meet(o, lo, hi)) continue;
    if (boxed && o.box) {
      if (o.lo[a0] >= face.hi[0] || o.hi[a0] <= face.lo[0] || o.lo[a1] >= face.hi[1] ||
          o.hi[a1] <= face.lo[1])
        continue;
      if (hides(o, axis, dir, plane_at, static_cast<size_t>(j) < i))
        rect_covers.push_back({{o.lo[a0], o.lo[a1]}, {o.hi[a0], o.hi[a1]}});
      continue;
    }
    mapc_winding c = cover_of(w, p, o, static_cast<size_t>(j) < i);
    if (!c.empty()) covers.push_back(c);
  }
  const mapc_brush_face& bf = b.faces[slot];
  if (boxed && covers.empty()) {
    std::vector<rect> pieces;
    subtract_rects(face, rect_covers, pieces);
    for (const rect& r : pieces) out.push_back({p, rect_winding(r, axis, dir, plane_at), bf.texture, bf.tex});
    return;
  }
  for (const rect& r : rect_covers) {
    rect clipped{{std::max(r.lo[0], face.lo[0]), std::max(r.lo[1], face.lo[1])},
                 {std::min(r.hi[0], face.hi[0]), std::min(r.hi[1], face.hi[1])}};
    covers.push_back(rect_winding(clipped, axis, dir, plane_at));
  }
  std::vector<mapc_winding> pieces{w};
  for (const mapc_winding& c : covers) pieces = mapc_polygons_subtract(pieces, c, p);
  for (const mapc_winding& piece : mapc_polygons_merge(pieces, p))
    out.push_back({p, piece, bf.texture, bf.tex});
}

}  // namespace

std::vector<mapc_face> mapc_csg_faces(const std::vector<mapc_brush>& brushes) {
  std::vector<mapc_face> faces;
  brush_grid grid(brushes);
  for (size_t i = 0; i < brushes.size(); ++i) {
    std::vector<mapc_winding> ws;
    if (!brushes[i].box) ws = mapc_brush_windings(brushes[i]);
    for (size_t slot = 0; slot < brushes[i].faces.size(); ++slot) {
      mapc_winding w;
      if (brushes[i].box) {
        const mapc_brush& b = brushes[i];
        int axis = static_cast<int>(slot) / 2, dir = slot % 2 ? 1 : -1;
        rect r{{b.lo[(axis + 1) % 3], b.lo[(axis + 2) % 3]}, {b.hi[(axis + 1) % 3], b.hi[(axis + 2) % 3]}};
        w = rect_winding(r, axis, dir, dir > 0 ? b.hi[axis] : b.lo[axis]);
      } else {
        w = ws[slot];
      }
      if (!w.empty()) face_pieces(brushes, grid, i, slot, w, faces);
    }
  }
  return faces;
}

bool mapc_face_is_axis_rect(const mapc_face& f) {
  if (f.plane.axis < 0 || f.w.size() != 4) return false;
  const int a0 = (f.plane.axis + 1) % 3, a1 = (f.plane.axis + 2) % 3;
  auto c = [](const mapc_vec& v, int k) { return k == 0 ? v.x : k == 1 ? v.y : v.z; };
  for (int k : {a0, a1}) {
    double lo = c(f.w[0], k), hi = lo;
    for (const mapc_vec& v : f.w) {
      lo = std::min(lo, c(v, k));
      hi = std::max(hi, c(v, k));
    }
    for (const mapc_vec& v : f.w)
      if (c(v, k) != lo && c(v, k) != hi) return false;
    if (!(hi > lo)) return false;
  }
  // Each corner differs from the next along exactly one axis.
  for (size_t i = 0; i < 4; ++i) {
    const mapc_vec& a = f.w[i];
    const mapc_vec& b = f.w[(i + 1) % 4];
    if ((c(a, a0) != c(b, a0)) == (c(a, a1) != c(b, a1))) return false;
  }
  return true;
}
