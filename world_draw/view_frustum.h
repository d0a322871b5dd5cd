// The view volume of one frame, for skipping polygons that cannot reach
// the screen.
#pragma once

struct map_vertex;

// The frame's model-view-projection matrix (column-major, as GL keeps it)
// and what follows from it.
struct view_frustum {
  double clip[16];     // projection x model-view
  double depth_of[4];  // row giving a point's distance along the view axis (clip w)
};

// The frustum of the matrices in force: the current projection times the
// current model-view. Called inside the camera transform.
view_frustum view_frustum_from_gl();

// The frustum of the given column-major matrices.
view_frustum view_frustum_from(const double projection[16], const double modelview[16]);

// False only when every vertex lies beyond the same clip plane (left,
// right, bottom, top, near or far), so the clipper would leave nothing of
// the polygon. A polygon on a plane, or crossing it, counts as inside.
bool view_frustum_touches(const view_frustum& f, const map_vertex* verts, int count);

// The largest distance along the view axis of any of the vertices.
double view_frustum_max_depth(const view_frustum& f, const map_vertex* verts, int count);
