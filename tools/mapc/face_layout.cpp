// Corner order, texture coordinates and sample positions of a face.
#include "tools/mapc/face_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// lo/hi of the face along world axis k (k is not the face's own axis).
void extent(const mapc_face& f, int k, double* lo, double* hi) {
  int i = k == (f.axis + 1) % 3 ? 0 : 1;
  *lo = f.lo[i];
  *hi = f.hi[i];
}

int side_count(double width) {
  int n = static_cast<int>(std::ceil(width * mapc_light_density - 1e-9));
  return std::min(mapc_light_max_side, std::max(2, n));
}

}  // namespace

mapc_face_frame mapc_frame_of(const mapc_face& f) {
  mapc_face_frame fr;
  if (f.axis == 1) {
    fr.col_axis = 0;
    fr.row_axis = 2;
    fr.u_sign = 1;
  } else {
    fr.col_axis = f.axis == 0 ? 2 : 0;
    fr.row_axis = 1;
    // A wall seen from the front has +x on the right when it faces +z, -z when it faces +x.
    fr.u_sign = f.axis == 2 ? f.dir : -f.dir;
  }
  extent(f, fr.col_axis, &fr.col_lo, &fr.col_hi);
  extent(f, fr.row_axis, &fr.row_lo, &fr.row_hi);
  return fr;
}

void mapc_face_corner(const mapc_face& f, int i, double out[3]) {
  mapc_face_frame fr = mapc_frame_of(f);
  out[f.axis] = f.plane;
  out[fr.col_axis] = i < 2 ? fr.col_lo : fr.col_hi;
  out[fr.row_axis] = i == 0 || i == 3 ? fr.row_lo : fr.row_hi;
}

void mapc_face_uv(const mapc_face& f, const double p[3], double* u, double* v) {
  mapc_face_frame fr = mapc_frame_of(f);
  *u = fr.u_sign * p[fr.col_axis] / mapc_texture_repeat;
  *v = p[fr.row_axis] / mapc_texture_repeat;
  if (*u == 0) *u = 0;  // no "-0" in the file
}

void mapc_light_samples(const mapc_face& f, int* cols, int* rows) {
  mapc_face_frame fr = mapc_frame_of(f);
  *cols = side_count(fr.col_hi - fr.col_lo);
  *rows = side_count(fr.row_hi - fr.row_lo);
}

void mapc_light_sample_point(const mapc_face& f, int r, int c, double out[3]) {
  mapc_face_frame fr = mapc_frame_of(f);
  int cols, rows;
  mapc_light_samples(f, &cols, &rows);
  out[f.axis] = f.plane;
  out[fr.col_axis] = fr.col_lo + (c - 0.5) / cols * (fr.col_hi - fr.col_lo);
  out[fr.row_axis] = fr.row_lo + (r - 0.5) / rows * (fr.row_hi - fr.row_lo);
}
