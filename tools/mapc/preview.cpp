// Rasterising floors, links and entity marks from above.
#include "tools/mapc/preview.h"

#include <algorithm>
#include <cmath>

#include "image/png_write.h"
#include "tools/mapc/face_layout.h"

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

void draw_floor(canvas& c, const mapc_face& f, const mapc_light_grid& g, double lo_y, double hi_y) {
  mapc_face_frame fr = mapc_frame_of(f);  // floors: columns along x, rows along z
  for (int y = c.py(fr.row_lo); y < c.py(fr.row_hi); ++y)
    for (int x = c.px(fr.col_lo); x < c.px(fr.col_hi); ++x) {
      if (x < 0 || y < 0 || x >= c.w || y >= c.h || c.top[y * c.w + x] > f.plane) continue;
      c.top[y * c.w + x] = f.plane;
      double wx = c.x0 + (x + 0.5) / c.ppu, wz = c.z0 + (y + 0.5) / c.ppu;
      int col = 1 + std::min(g.cols - 3, std::max(0, static_cast<int>((wx - fr.col_lo) / (fr.col_hi - fr.col_lo) * (g.cols - 2))));
      int row = 1 + std::min(g.rows - 3, std::max(0, static_cast<int>((wz - fr.row_lo) / (fr.row_hi - fr.row_lo) * (g.rows - 2))));
      double lit = (255 - (g.values[row * g.cols + col] & 255)) / 255.0;
      double h = hi_y > lo_y ? (f.plane - lo_y) / (hi_y - lo_y) : 0;
      c.put(x, y, static_cast<int>(lit * (150 + 80 * h)), static_cast<int>(lit * 170), static_cast<int>(lit * (200 - 80 * h)));
    }
}

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
  if (type == 1) *r = 0, *g = 255, *b = 0;
  else if (type == 2) *r = 0, *g = 255, *b = 255;
  else if (type == 100 || type == 101) *r = 160, *g = 160, *b = 160;
  else if (type >= 200 && type < 300) *r = 255, *g = 0, *b = 0;
  else if (type == 420) *r = 255, *g = 0, *b = 255;
}

}  // namespace

bool mapc_write_preview(const std::string& path, const mapc_source& src, const mapc_result& r, int ppu) {
  if (src.boxes.empty()) return false;
  double lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = src.boxes[0].lo[k];
    hi[k] = src.boxes[0].hi[k];
    for (const mapc_box& b : src.boxes) {
      lo[k] = std::min(lo[k], b.lo[k]);
      hi[k] = std::max(hi[k], b.hi[k]);
    }
  }
  canvas c{static_cast<int>((hi[0] - lo[0]) * ppu), static_cast<int>((hi[2] - lo[2]) * ppu), ppu, lo[0], lo[2], {}, {}};
  if (c.w <= 0 || c.h <= 0 || c.w > 8192 || c.h > 8192) return false;
  c.rgb.assign(static_cast<size_t>(c.w) * c.h * 3, 24);
  c.top.assign(static_cast<size_t>(c.w) * c.h, -1e30);
  double floor_lo = 1e30, floor_hi = -1e30;
  for (size_t i = 0; i < r.tree.faces.size(); ++i)
    if (const mapc_face& f = r.tree.faces[i]; f.axis == 1 && f.dir == 1 && !r.facing_void[i]) floor_lo = std::min(floor_lo, f.plane), floor_hi = std::max(floor_hi, f.plane);
  for (size_t i = 0; i < r.tree.faces.size(); ++i) {
    const mapc_face& f = r.tree.faces[i];
    if (f.axis == 1 && f.dir == 1 && !r.facing_void[i]) draw_floor(c, f, r.grids[i], floor_lo, floor_hi);
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
