// Which side of an inner node's plane a point lies on.
#pragma once

#include "world/bsp_node.h"

// The three sides a point can be on.
enum bsp_side { bsp_side_front, bsp_side_back, bsp_side_on };

// d = (P - q) . N with P the polygon's first vertex: negative is in front,
// positive behind, exactly 0 (or not a number) on the plane. No tolerance.
inline bsp_side bsp_classify(const bsp_node* node, const double q[3]) {
  const bsp_polygon* poly = node->poly;
  const map_vertex& p = poly->verts[0];
  double d = (p.x - q[0]) * poly->normal[0] + (p.y - q[1]) * poly->normal[1] + (p.z - q[2]) * poly->normal[2];
  if (d < 0) return bsp_side_front;
  if (d > 0) return bsp_side_back;
  return bsp_side_on;
}

// A node without a polygon to test has no plane; the tree reader never
// leaves one inside a tree, and the queries take such a node, like a
// missing child, as an empty leaf.
inline bool bsp_is_empty_stand_in(const bsp_node* node) {
  return !node || (!node->is_leaf && (!node->poly || node->poly->vert_count < 1 || !node->poly->verts));
}
