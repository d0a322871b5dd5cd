// Planes and convex polygons in world units, and cutting polygons by planes.
#pragma once
#include <vector>

#include "tools/mapc/mapc_source.h"

// Points closer to a plane than this (world units) count as on it.
constexpr double mapc_on_epsilon = 1e-5;

// A plane n . p = d with a unit normal; points with n . p > d lie in front.
// axis is 0, 1 or 2 when the normal is exactly +-1 along that axis (boxes'
// faces), -1 otherwise: cuts by such planes put the cut coordinate exactly
// on the plane.
struct mapc_plane {
  double n[3];
  double d;
  int axis;
};

// A convex polygon, its corners in order around it.
using mapc_winding = std::vector<mapc_vec>;

// The plane with normal n (made unit length) through distance d, its axis
// found.
mapc_plane mapc_plane_make(const double n[3], double d);
// The same plane facing the other way.
mapc_plane mapc_plane_flip(const mapc_plane& p);
// Signed distance of q in front of the plane.
double mapc_plane_dist(const mapc_plane& p, const mapc_vec& q);
// Whether two planes are the same within the epsilon (same facing).
bool mapc_plane_same(const mapc_plane& a, const mapc_plane& b);

// A square of half-size `extent` in the plane, centred on the plane's point
// nearest the origin, wound counter-clockwise seen from the front.
mapc_winding mapc_base_winding(const mapc_plane& p, double extent);

// Where a polygon lies against a plane.
enum mapc_side { side_front, side_back, side_on, side_cross };
mapc_side mapc_winding_side(const mapc_winding& w, const mapc_plane& p);

// Cuts w by the plane into the part in front and the part behind (either may
// come out empty). Corners on the plane go to both.
void mapc_winding_split(const mapc_winding& w, const mapc_plane& p, mapc_winding& front, mapc_winding& back);
// The part of w in front of the plane (keep_front) or behind it.
mapc_winding mapc_winding_clip(const mapc_winding& w, const mapc_plane& p, bool keep_front);

double mapc_winding_area(const mapc_winding& w);
mapc_vec mapc_winding_centre(const mapc_winding& w);
// Fewer than three corners or no area to speak of.
bool mapc_winding_tiny(const mapc_winding& w);
// The plane of a polygon from its first three distinct, non-collinear corners
// (counter-clockwise seen from the front); false when there are none.
bool mapc_winding_plane(const mapc_winding& w, mapc_plane& out);

// Vector helpers.
mapc_vec mapc_sub(const mapc_vec& a, const mapc_vec& b);
mapc_vec mapc_add(const mapc_vec& a, const mapc_vec& b);
mapc_vec mapc_scale(const mapc_vec& a, double s);
double mapc_dot(const mapc_vec& a, const mapc_vec& b);
mapc_vec mapc_cross(const mapc_vec& a, const mapc_vec& b);
double mapc_length(const mapc_vec& a);
