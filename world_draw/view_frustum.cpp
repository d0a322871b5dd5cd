// The view volume of one frame, for skipping polygons that cannot reach
// the screen.
#include "world_draw/view_frustum.h"

#include <GL/gl.h>

#include <cmath>

#include "world/bsp_node.h"

namespace {

// A vertex this close to a plane (relative to its w) still counts as on
// it: the clipper works in single precision, the test in double.
constexpr double plane_slack = 1e-6;

struct clip_point {
  double x, y, z, w;
};

clip_point to_clip(const double m[16], const map_vertex& v) {
  return clip_point{
      m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
      m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14], m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15]};
}

}  // namespace

view_frustum view_frustum_from(const double projection[16], const double modelview[16]) {
  view_frustum f{};
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[col * 4 + k];
      f.clip[col * 4 + row] = sum;
    }
  for (int col = 0; col < 4; ++col) f.depth_of[col] = f.clip[col * 4 + 3];
  return f;
}

view_frustum view_frustum_from_gl() {
  double projection[16], modelview[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  return view_frustum_from(projection, modelview);
}

bool view_frustum_touches(const view_frustum& f, const map_vertex* verts, int count) {
  if (!verts || count <= 0) return false;
  // One bit per plane a vertex lies beyond; the polygon is out when some
  // bit is set for every vertex.
  unsigned all_out = 0x3f;
  for (int i = 0; i < count && all_out; ++i) {
    clip_point c = to_clip(f.clip, verts[i]);
    double slack = plane_slack * std::fabs(c.w) + 1e-9;
    unsigned out = 0;
    if (c.x < -c.w - slack) out |= 1;
    if (c.x > c.w + slack) out |= 2;
    if (c.y < -c.w - slack) out |= 4;
    if (c.y > c.w + slack) out |= 8;
    if (c.z < -c.w - slack) out |= 16;
    if (c.z > c.w + slack) out |= 32;
    all_out &= out;
  }
  return all_out == 0;
}

double view_frustum_max_depth(const view_frustum& f, const map_vertex* verts, int count) {
  double deepest = -HUGE_VAL;
  for (int i = 0; i < count; ++i) {
    const map_vertex& v = verts[i];
    double w = f.depth_of[0] * v.x + f.depth_of[1] * v.y + f.depth_of[2] * v.z + f.depth_of[3];
    if (w > deepest) deepest = w;
  }
  return deepest;
}
