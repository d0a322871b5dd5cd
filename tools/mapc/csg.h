// The visible faces of a union of convex brushes.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/mapc_source.h"
#include "tools/mapc/winding.h"

// A convex polygon of the solid's surface. Its plane's normal points into
// empty space; its texture axes say how the texture lies on it.
struct mapc_face {
  mapc_plane plane;
  mapc_winding w;
  std::string texture;
  mapc_tex_axes tex;
};

// The surface of the union of the brushes: every brush face minus the parts
// with solid right in front of them (buried or touching faces), and minus
// the parts an earlier brush already gives in the same plane and direction,
// so each piece of surface appears exactly once. A box's face covered only
// by other boxes is cut on a grid of their sides and merged into few
// rectangles; any other face is cut along the covering brushes' outlines
// and its pieces merged back where they form a convex polygon.
std::vector<mapc_face> mapc_csg_faces(const std::vector<mapc_brush>& brushes);

// Whether the face is a rectangle lying in a plane of constant x, y or z
// with its sides along the two other axes.
bool mapc_face_is_axis_rect(const mapc_face& f);
