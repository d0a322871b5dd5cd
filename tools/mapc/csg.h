// The visible faces of a union of boxes.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/mapc_source.h"

// An axis-aligned rectangle of the solid's surface. It lies in the plane
// coordinate[axis] == plane, and its normal points along +axis (dir 1) or
// -axis (dir -1), into empty space. lo/hi bound it along the two other axes,
// (axis + 1) % 3 first, then (axis + 2) % 3.
struct mapc_face {
  int axis;
  int dir;
  double plane;
  double lo[2];
  double hi[2];
  std::string texture;
};

// The surface of the union of the boxes: every box face minus the parts with
// solid right in front of them (buried or touching faces), and minus the parts
// an earlier box already gives in the same plane and direction, so each piece
// of surface appears exactly once. Pieces are merged into few rectangles.
std::vector<mapc_face> mapc_csg_faces(const std::vector<mapc_box>& boxes);
