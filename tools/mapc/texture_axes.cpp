// Texture axes from .map face lines; texture sizes; boxes among brushes.
#include "tools/mapc/texture_axes.h"

#include <webp/decode.h>

#include <cmath>
#include <cstdio>

namespace {

// Map units to world units: world = (x, z, -y) / 16, so a map-space axis A
// read against world points is 16 (A.x, A.z, -A.y).
void axis_to_world(const double a[3], double scale, double offset, double out[4]) {
  double s = scale == 0 ? 1 : scale;
  out[0] = 16 * a[0] / s;
  out[1] = 16 * a[2] / s;
  out[2] = -16 * a[1] / s;
  out[3] = offset;
}

// Quake's choice of texture axes by the face's normal (map space).
void standard_axes(const double n_map[3], double rotation, double out_u[3], double out_v[3]) {
  static const double base[6][3][3] = {
      {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}}, {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
      {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}}, {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}}};
  int best = 0;
  double best_dot = 0;
  for (int i = 0; i < 6; ++i) {
    double d = n_map[0] * base[i][0][0] + n_map[1] * base[i][0][1] + n_map[2] * base[i][0][2];
    if (d > best_dot) {
      best_dot = d;
      best = i;
    }
  }
  double a = rotation * M_PI / 180.0;
  double c = std::cos(a), s = std::sin(a);
  if (rotation == 0) c = 1, s = 0;
  const double* u = base[best][1];
  const double* v = base[best][2];
  int su = u[0] != 0 ? 0 : u[1] != 0 ? 1 : 2;
  int sv = v[0] != 0 ? 0 : v[1] != 0 ? 1 : 2;
  for (int k = 0; k < 3; ++k) out_u[k] = u[k], out_v[k] = v[k];
  for (double* axis : {out_u, out_v}) {
    double x = axis[su], y = axis[sv];
    axis[su] = c * x - s * y;
    axis[sv] = s * x + c * y;
  }
}

}  // namespace

void mapc_map_texture_axes(mapc_brush_face& f, const std::vector<double>& numbers, bool valve) {
  auto num = [&](size_t i, double fallback) { return i < numbers.size() ? numbers[i] : fallback; };
  const double n_map[3] = {f.n[0], -f.n[2], f.n[1]};
  if (valve && numbers.size() >= 8) {
    const double u[3] = {num(0, 0), num(1, 0), num(2, 0)}, v[3] = {num(4, 0), num(5, 0), num(6, 0)};
    double cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    double seen = std::fabs(cross[0] * n_map[0] + cross[1] * n_map[1] + cross[2] * n_map[2]);
    double size = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
    if (seen > 1e-6 * (size > 0 ? size : 1)) {
      axis_to_world(u, num(9, 1), num(3, 0), f.tex.u);
      axis_to_world(v, num(10, 1), num(7, 0), f.tex.v);
      return;
    }
    double u_axis[3], v_axis[3];
    standard_axes(n_map, 0, u_axis, v_axis);
    axis_to_world(u_axis, num(9, 1), num(3, 0), f.tex.u);
    axis_to_world(v_axis, num(10, 1), num(7, 0), f.tex.v);
    return;
  }
  double u_axis[3], v_axis[3];
  standard_axes(n_map, num(2, 0), u_axis, v_axis);
  axis_to_world(u_axis, num(3, 1), num(0, 0), f.tex.u);
  axis_to_world(v_axis, num(4, 1), num(1, 0), f.tex.v);
}

void mapc_texels_to_repeats(mapc_tex_axes& t, int width, int height) {
  for (double& c : t.u) c /= width;
  for (double& c : t.v) c = -c / height;
}

bool mapc_texture_size(const std::string& dir, const std::string& name, int* width, int* height) {
  *width = *height = mapc_default_texture_size;
  if (dir.empty()) return false;
  std::string path = dir + "/" + name + ".webp";
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  unsigned char head[64];
  size_t n = fread(head, 1, sizeof head, f);
  fclose(f);
  int w = 0, h = 0;
  if (!WebPGetInfo(head, n, &w, &h) || w <= 0 || h <= 0) return false;
  *width = w;
  *height = h;
  return true;
}

bool mapc_brush_as_box(mapc_brush& b) {
  if (b.faces.size() != 6) return false;
  const mapc_brush_face* slot[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  for (const mapc_brush_face& f : b.faces) {
    int axis = -1;
    for (int k = 0; k < 3; ++k)
      if (std::fabs(f.n[k]) == 1.0) axis = k;
    if (axis < 0) return false;
    int s = axis * 2 + (f.n[axis] > 0 ? 1 : 0);
    if (slot[s]) return false;
    slot[s] = &f;
  }
  double lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = -slot[k * 2]->d;
    hi[k] = slot[k * 2 + 1]->d;
    if (!(hi[k] > lo[k])) return false;
  }
  std::vector<mapc_brush_face> ordered;
  for (const mapc_brush_face* f : slot) ordered.push_back(*f);
  b.faces = ordered;
  for (int k = 0; k < 3; ++k) b.lo[k] = lo[k], b.hi[k] = hi[k];
  return true;
}
