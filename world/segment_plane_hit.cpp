// Where a segment meets a plane.
#include <cmath>

#include "world/bsp_query.h"

int segment_plane_hit(const double a[3], const double b[3], const double p[3], const double n[3],
                      double out_point[3], double* out_t) {
  double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  double den = d[0] * n[0] + d[1] * n[1] + d[2] * n[2];
  if (std::fabs(den) == 0.0) return 0;
  double t = ((p[0] - a[0]) * n[0] + (p[1] - a[1]) * n[1] + (p[2] - a[2]) * n[2]) / den;
  *out_t = t;
  if (t < 0 || t > 1) return 0;
  for (int i = 0; i < 3; ++i) out_point[i] = a[i] + t * d[i];
  return 1;
}
