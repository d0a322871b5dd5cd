// Quads, texture coordinates and sample positions of a face.
#include "tools/mapc/face_layout.h"

#include <algorithm>
#include <cmath>

namespace {

double coord(const mapc_vec& v, int k) { return k == 0 ? v.x : k == 1 ? v.y : v.z; }

int side_count(double width) {
  int n = static_cast<int>(std::ceil(width * mapc_light_density - 1e-9));
  return std::min(mapc_light_max_side, std::max(2, n));
}

// An axis rectangle's corners: (col lo, row lo), (col lo, row hi),
// (col hi, row hi), (col hi, row lo).
mapc_winding rect_quad(const mapc_face& f) {
  const int axis = f.plane.axis;
  const int col = axis == 1 ? 0 : axis == 0 ? 2 : 0;
  const int row = axis == 1 ? 2 : 1;
  double lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = hi[k] = coord(f.w[0], k);
    for (const mapc_vec& v : f.w) {
      lo[k] = std::min(lo[k], coord(v, k));
      hi[k] = std::max(hi[k], coord(v, k));
    }
  }
  mapc_winding q(4);
  for (int i = 0; i < 4; ++i) {
    double p[3];
    p[axis] = lo[axis];
    p[col] = i < 2 ? lo[col] : hi[col];
    p[row] = i == 0 || i == 3 ? lo[row] : hi[row];
    q[i] = {p[0], p[1], p[2]};
  }
  return q;
}

double dist(const mapc_vec& a, const mapc_vec& b) { return mapc_length(mapc_sub(a, b)); }

}  // namespace

std::vector<mapc_winding> mapc_face_quads(const mapc_face& f) {
  if (mapc_face_is_axis_rect(f)) return {rect_quad(f)};
  std::vector<mapc_winding> out;
  const mapc_winding& w = f.w;
  for (size_t i = 1; i + 1 < w.size(); i += 2) {
    if (i + 2 < w.size())
      out.push_back({w[0], w[i], w[i + 1], w[i + 2]});
    else
      out.push_back({w[0], w[i], w[i + 1], w[i + 1]});
  }
  return out;
}

void mapc_face_uv(const mapc_face& f, const mapc_vec& p, double* u, double* v) {
  const mapc_tex_axes& t = f.tex;
  *u = t.u[0] * p.x + t.u[1] * p.y + t.u[2] * p.z + t.u[3];
  *v = t.v[0] * p.x + t.v[1] * p.y + t.v[2] * p.z + t.v[3];
  if (*u == 0) *u = 0;  // no "-0" in the file
  if (*v == 0) *v = 0;
}

void mapc_light_samples(const mapc_face& f, int* cols, int* rows) {
  const mapc_winding& q = f.w;
  *cols = side_count(std::max(dist(q[0], q[3]), dist(q[1], q[2])));
  *rows = side_count(std::max(dist(q[0], q[1]), dist(q[3], q[2])));
}

void mapc_light_sample_point(const mapc_face& f, int r, int c, double out[3]) {
  const mapc_winding& q = f.w;
  int cols, rows;
  mapc_light_samples(f, &cols, &rows);
  double s = (c - 0.5) / cols, t = (r - 0.5) / rows;
  // Triangle (0, 1, 2) holds the texels with t >= s, triangle (0, 2, 3) the
  // others; a quad whose corners 2 and 3 meet draws only the first, so its
  // other texels take the value on the diagonal, where the filter blends them.
  bool first = t >= s;
  if (!first && dist(q[2], q[3]) < mapc_on_epsilon) {
    s = t = (s + t) / 2;
    first = true;
  }
  const mapc_vec e1 = first ? mapc_sub(q[2], q[1]) : mapc_sub(q[3], q[0]);
  const mapc_vec e2 = first ? mapc_sub(q[1], q[0]) : mapc_sub(q[2], q[3]);
  const mapc_vec& o = q[0];
  out[0] = o.x + s * e1.x + t * e2.x;
  out[1] = o.y + s * e1.y + t * e2.y;
  out[2] = o.z + s * e1.z + t * e2.z;
}
