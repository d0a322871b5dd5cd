// Rasterising floors, links and entity marks from above.
#include "tools/mapc/preview.h"

#include <algorithm>
#include <cmath>

#include "base/entity_codes.h"
#include "image/png_write.h"
#include "tools/mapc/face_layout.h"
#include "tools/mapc/source_limits.h"

namespace {

struct canvas {
  int w, h, ppu;
  double x0, z0;
  std::vector<uint8_t> rgb;
  std::vector<double> top;  // height of the floor drawn at each pixel
  void put(int x, int y, int r, int g, int b) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
    p[0] = static_cast<uint8_t>(r);
    p[1] = static_cast<uint8_t>(g);
    p[2] = static_cast<uint8_t>(b);
  }
  int px(double x) const { return static_cast<int>(std::floor((x - x0) * ppu)); }
  int py(double z) const { return static_cast<int>(std::floor((z - z0) * ppu)); }
};

// The face's polygon seen from above contains (x, z).
bool covers(const mapc_winding& w, double x, double z) {
  int sign = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const mapc_vec& a = w[i];
    const mapc_vec& b = w[(i + 1) % w.size()];
    double cross = (b.x - a.x) * (z - a.z) - (b.z - a.z) * (x - a.x);
    if (cross == 0) continue;
    int s = cross > 0 ? 1 : -1;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return true;
}

// Darkness of the grid at (x, z): the texel over the point for a rectangle
// (columns along x, rows along z), the grid's mean for any other floor.
int darkness_at(const mapc_face& f, const mapc_light_grid& g, double x, double z) {
  if (!mapc_face_is_axis_rect(f)) {
    long sum = 0;
    for (int r = 1; r < g.rows - 1; ++r)
      for (int c = 1; c < g.cols - 1; ++c) sum += g.values[r * g.cols + c] & 255;
    return static_cast<int>(sum / std::max(1, (g.rows - 2) * (g.cols - 2)));
  }
  double x0 = std::min(f.w[0].x, f.w[2].x), x1 = std::max(f.w[0].x, f.w[2].x);
  double z0 = std::min(f.w[0].z, f.w[2].z), z1 = std::max(f.w[0].z, f.w[2].z);
  int col = 1 + std::min(g.cols - 3, std::max(0, static_cast<int>((x - x0) / (x1 - x0) * (g.cols - 2))));
  int row = 1 + std::min(g.rows - 3, std::max(0, static_cast<int>((z - z0) / (z1 - z0) * (g.rows - 2))));
  return g.values[row * g.cols + col] & 255;
}

void draw_floor(canvas& c, const mapc_face& f, const mapc_light_grid& g, double lo_y, double hi_y) {
  double x0 = f.w[0].x, x1 = x0, z0 = f.w[0].z, z1 = z0;
  for (const mapc_vec& v : f.w)
    x0 = std::min(x0, v.x), x1 = std::max(x1, v.x), z0 = std::min(z0, v.z), z1 = std::max(z1, v.z);
  for (int y = c.py(z0); y < c.py(z1); ++y)
    for (int x = c.px(x0); x < c.px(x1); ++x) {
      if (x < 0 || y < 0 || x >= c.w || y >= c.h) continue;
      double wx = c.x0 + (x + 0.5) / c.ppu, wz = c.z0 + (y + 0.5) / c.ppu;
      if (!covers(f.w, wx, wz)) continue;
      double height = (f.plane.d - f.plane.n[0] * wx - f.plane.n[2] * wz) / f.plane.n[1];
      if (c.top[y * c.w + x] > height) continue;
      c.top[y * c.w + x] = height;
      double lit = (255 - darkness_at(f, g, wx, wz)) / 255.0;
      double h = hi_y > lo_y ? (height - lo_y) / (hi_y - lo_y) : 0;
      c.put(x, y, static_cast<int>(lit * (150 + 80 * h)), static_cast<int>(lit * 170),
            static_cast<int>(lit * (200 - 80 * h)));
    }
}

bool is_floor(const mapc_face& f) { return f.plane.n[1] >= mapc_floor_min_up; }

void draw_line(canvas& c, const mapc_vec& a, const mapc_vec& b) {
  int steps = static_cast<int>(std::hypot(b.x - a.x, b.z - a.z) * c.ppu) + 1;
  for (int i = 0; i <= steps; ++i) {
    double t = static_cast<double>(i) / steps;
    c.put(c.px(a.x + t * (b.x - a.x)), c.py(a.z + t * (b.z - a.z)), 255, 140, 0);
  }
}

void draw_mark(canvas& c, const mapc_vec& p, int radius, int r, int g, int b) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) c.put(c.px(p.x) + dx, c.py(p.z) + dy, r, g, b);
}

void entity_colour(int type, int* r, int* g, int* b) {
  *r = 255, *g = 255, *b = 0;  // pickups
  if (type == 1)
    *r = 0, *g = 255, *b = 0;
  else if (type == 2)
    *r = 0, *g = 255, *b = 255;
  else if (type == 100 || type == 101)
    *r = 160, *g = 160, *b = 160;
  else if (is_enemy(type))
    *r = 255, *g = 0, *b = 0;
  else if (type == 420)
    *r = 255, *g = 0, *b = 255;
}

}  // namespace

bool mapc_write_preview(const std::string& path, const mapc_source& src, const mapc_result& r, int ppu) {
  if (src.brushes.empty()) return false;
  double lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = src.brushes[0].lo[k];
    hi[k] = src.brushes[0].hi[k];
    for (const mapc_brush& b : src.brushes) {
      lo[k] = std::min(lo[k], b.lo[k]);
      hi[k] = std::max(hi[k], b.hi[k]);
    }
  }
  canvas c{static_cast<int>((hi[0] - lo[0]) * ppu),
           static_cast<int>((hi[2] - lo[2]) * ppu),
           ppu,
           lo[0],
           lo[2],
           {},
           {}};
  if (c.w <= 0 || c.h <= 0 || c.w > 8192 || c.h > 8192) return false;
  c.rgb.assign(static_cast<size_t>(c.w) * c.h * 3, 24);
  c.top.assign(static_cast<size_t>(c.w) * c.h, -1e30);
  double floor_lo = 1e30, floor_hi = -1e30;
  for (size_t i = 0; i < r.tree.faces.size(); ++i)
    if (const mapc_face& f = r.tree.faces[i]; is_floor(f) && !r.facing_void[i])
      for (const mapc_vec& v : f.w) floor_lo = std::min(floor_lo, v.y), floor_hi = std::max(floor_hi, v.y);
  for (size_t i = 0; i < r.tree.faces.size(); ++i) {
    const mapc_face& f = r.tree.faces[i];
    if (is_floor(f) && !r.facing_void[i]) draw_floor(c, f, r.grids[i], floor_lo, floor_hi);
  }
  for (const mapc_nav_node& n : r.nav)
    for (int l : n.links) draw_line(c, n.pos, r.nav[l].pos);
  for (const mapc_nav_node& n : r.nav) draw_mark(c, n.pos, 1, 255, 140, 0);
  for (const mapc_light& l : src.lights) draw_mark(c, l.pos, 1, 255, 255, 255);
  for (const mapc_entity& e : src.entities) {
    int cr, cg, cb;
    entity_colour(e.type, &cr, &cg, &cb);
    draw_mark(c, e.pos, 2, cr, cg, cb);
  }
  char reason[160];
  if (image_write_png(path.c_str(), image_view{c.rgb.data(), c.w, c.h, 3, false}, reason, sizeof reason))
    return true;
  fprintf(stderr, "mapc: %s: %s\n", path.c_str(), reason);
  return false;
}
