// Finding a hole or a drop in the floor between two points at foot level.
#include "entities/floor_gap.h"

#include "entities/enemy_sight.h"

namespace {

constexpr double fractions[7] = {0.5, 0.25, 0.75, 0.125, 0.375, 0.875, 0.625};
constexpr double below_the_feet = 0.5;

}  // namespace

void gap_test_points(const double a[3], const double b[3], double out[7][3]) {
  for (int k = 0; k < 7; ++k)
    for (int i = 0; i < 3; ++i) out[k][i] = a[i] + fractions[k] * (b[i] - a[i]);
}

bool floor_gap(const bsp_node* root, const double a[3], const double b[3]) {
  double points[7][3];
  gap_test_points(a, b, points);
  for (double* p : points) {
    p[1] -= below_the_feet;
    if (segment_clear(p, p, root)) return true;
  }
  return false;
}
