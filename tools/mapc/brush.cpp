// Brush faces as polygons, brush bounds, and boxes as brushes.
#include "tools/mapc/brush.h"

#include <algorithm>

mapc_plane mapc_brush_plane(const mapc_brush& b, size_t i) {
  return mapc_plane_make(b.faces[i].n, b.faces[i].d);
}

std::vector<mapc_winding> mapc_brush_windings(const mapc_brush& b) {
  std::vector<mapc_plane> planes;
  for (size_t i = 0; i < b.faces.size(); ++i) planes.push_back(mapc_brush_plane(b, i));
  std::vector<mapc_winding> out(planes.size());
  for (size_t i = 0; i < planes.size(); ++i) {
    mapc_winding w = mapc_base_winding(planes[i], mapc_world_extent);
    for (size_t j = 0; j < planes.size() && !w.empty(); ++j) {
      if (j == i) continue;
      // A repeated plane bounds the brush once, by its first face.
      if (mapc_plane_same(planes[i], planes[j]) && j < i) {
        w.clear();
        break;
      }
      if (mapc_plane_same(planes[i], planes[j])) continue;
      w = mapc_winding_clip(w, planes[j], false);
    }
    if (!mapc_winding_tiny(w)) out[i] = w;
  }
  return out;
}

bool mapc_brush_bound(mapc_brush& b) {
  std::vector<mapc_winding> ws = mapc_brush_windings(b);
  int faces = 0;
  bool first = true;
  for (const mapc_winding& w : ws) {
    if (w.empty()) continue;
    ++faces;
    for (const mapc_vec& v : w) {
      const double c[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k) {
        b.lo[k] = first ? c[k] : std::min(b.lo[k], c[k]);
        b.hi[k] = first ? c[k] : std::max(b.hi[k], c[k]);
      }
      first = false;
    }
  }
  return faces >= 4;
}

mapc_brush mapc_box_brush(const mapc_box& box) {
  mapc_brush b;
  b.box = true;
  b.detail = box.detail;
  for (int k = 0; k < 3; ++k) {
    b.lo[k] = box.lo[k];
    b.hi[k] = box.hi[k];
  }
  b.entity = box.entity;
  b.brush = box.brush;
  b.line = box.line;
  for (int slot = 0; slot < 6; ++slot) {
    int axis = slot / 2, dir = slot % 2 ? 1 : -1;
    mapc_brush_face f{{0, 0, 0}, 0, box.texture[slot], {{0, 0, 0, 0}, {0, 0, 0, 0}}, false};
    f.n[axis] = dir;
    f.d = dir > 0 ? box.hi[axis] : -box.lo[axis];
    // One repeat every 4 units: floors and ceilings take u from x and v
    // from z; walls take u from their horizontal axis, signed so that a
    // wall seen from the front has u growing to the right, and v from y.
    if (axis == 1) {
      f.tex.u[0] = 0.25;
      f.tex.v[2] = 0.25;
    } else {
      int col = axis == 0 ? 2 : 0;
      f.tex.u[col] = (axis == 2 ? dir : -dir) * 0.25;
      f.tex.v[1] = 0.25;
    }
    b.faces.push_back(f);
  }
  return b;
}
