// Whether a segment lies entirely in the tree's empty space.
#include "world/bsp_query.h"
#include "world/bsp_side.h"

namespace {

// The plane point of a crossed node, for cutting the segment.
void plane_point(const bsp_node* node, double out[3]) {
  const map_vertex& v = node->poly->verts[0];
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
}

// The meeting point m of a and b with the node's plane. The two ends lie
// strictly on opposite sides, so the segment is not parallel; should
// rounding still reject t, m stays at a's end of the cut.
void cut_point(const double a[3], const double b[3], const bsp_node* node, double m[3]) {
  double p[3];
  plane_point(node, p);
  double t = 0;
  m[0] = a[0];
  m[1] = a[1];
  m[2] = a[2];
  segment_plane_hit(a, b, p, node->poly->normal, m, &t);
}

}  // namespace

int bsp_segment_clear(const double a[3], const double b[3], const bsp_node* node) {
  if (bsp_is_empty_stand_in(node)) return 1;
  if (node->is_leaf) return node->contents == 0 ? 1 : 0;
  bsp_side sa = bsp_classify(node, a);
  bsp_side sb = bsp_classify(node, b);
  if (sa == bsp_side_on) return bsp_segment_clear(a, b, sb == bsp_side_back ? node->back : node->front);
  if (sa == bsp_side_front) {
    if (sb != bsp_side_back) return bsp_segment_clear(a, b, node->front);
    double m[3];
    cut_point(a, b, node, m);
    return bsp_segment_clear(a, m, node->front) && bsp_segment_clear(b, m, node->back);
  }
  if (sb != bsp_side_front) return bsp_segment_clear(a, b, node->back);
  double m[3];
  cut_point(a, b, node, m);
  return bsp_segment_clear(b, m, node->front) && bsp_segment_clear(a, m, node->back);
}
