// The player's collision probe through the tree.
#include <cmath>

#include "world/bsp_query.h"
#include "world/bsp_side.h"

int bsp_trace_solid(const double a[3], const double b[3], const bsp_node* node, double hit_normal[3],
                    double* hit_distance) {
  if (bsp_is_empty_stand_in(node)) return 0;
  if (node->is_leaf) return node->contents;
  bsp_side sa = bsp_classify(node, a);
  bsp_side sb = bsp_classify(node, b);
  bool crosses =
      (sa == bsp_side_front && sb == bsp_side_back) || (sa == bsp_side_back && sb == bsp_side_front);
  if (!crosses) {
    const bsp_node* child = sa == bsp_side_back    ? node->back
                            : sa == bsp_side_front ? node->front
                            : sb == bsp_side_back  ? node->back
                                                   : node->front;
    return bsp_trace_solid(a, b, child, hit_normal, hit_distance);
  }
  if (sa == bsp_side_front) {
    const double* n = node->poly->normal;
    const map_vertex& p = node->poly->verts[0];
    double along = (p.x - a[0]) * n[0] + (p.y - a[1]) * n[1] + (p.z - a[2]) * n[2];
    hit_normal[0] = n[0];
    hit_normal[1] = n[1];
    hit_normal[2] = n[2];
    *hit_distance = std::fabs(along) / std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  }
  int in_front = bsp_trace_solid(a, b, node->front, hit_normal, hit_distance);
  int behind = bsp_trace_solid(a, b, node->back, hit_normal, hit_distance);
  return in_front != 0 && behind != 0 ? 1 : 0;
}
