// The hit box of a body: two crossed vertical rectangles, made for one shot test.
#include "entities/hit_box.h"

#include <algorithm>

#include "world/bsp_query.h"

namespace {

void set(double* out, double x, double y, double z) {
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

}  // namespace

hit_box make_hit_box(const double c[3], double w, double h) {
  hit_box box{};
  const double x = c[0], y = c[1], z = c[2], top = c[1] + 2.0 * h;
  set(box.points[0], x - w, y, z);
  set(box.points[1], x + w, y, z);
  set(box.points[2], x + w, top, z);
  set(box.points[3], x - w, top, z);
  set(box.points[4], 0.0, 0.0, 1.0);
  set(box.points[5], x, y, z - w);
  set(box.points[6], x, y, z + w);
  set(box.points[7], x, top, z + w);
  set(box.points[8], x, top, z - w);
  set(box.points[9], 1.0, 0.0, 0.0);
  set(box.base, x, y, z);
  box.half_width = w;
  return box;
}

hit_box_result hit_box_test(const hit_box& box, const double a[3], const double b[3]) {
  hit_box_result r{};
  double t = 0.0;
  const double w = box.half_width;
  if (segment_plane_hit(a, b, box.points[0], box.points[4], r.a_point, &t)) {
    r.met_a = 1;
    r.plane = hit_plane_a;
    std::copy(r.a_point, r.a_point + 3, r.point);
    r.hit = r.point[0] > box.base[0] - w && r.point[0] < box.base[0] + w;
    if (r.hit) return r;
  }
  double on_b[3];
  if (!segment_plane_hit(a, b, box.points[5], box.points[9], on_b, &t)) return r;
  r.hit = on_b[2] > box.base[2] - w && on_b[2] < box.base[2] + w;
  if (r.hit || !r.met_a) {  // a miss reports the first plane met
    r.plane = hit_plane_b;
    std::copy(on_b, on_b + 3, r.point);
  }
  return r;
}
