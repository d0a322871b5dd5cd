// The hit box of a body: two crossed vertical rectangles, made for one shot test.
#include "entities/hit_box.h"

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
  if (segment_plane_hit(a, b, box.points[0], box.points[4], r.point, &t)) {
    r.plane = hit_plane_a;
    r.hit = r.point[0] > box.base[0] - w && r.point[0] < box.base[0] + w;
    return r;
  }
  if (segment_plane_hit(a, b, box.points[5], box.points[9], r.point, &t)) {
    r.plane = hit_plane_b;
    r.hit = r.point[2] > box.base[2] - w && r.point[2] < box.base[2] + w;
  }
  return r;
}
