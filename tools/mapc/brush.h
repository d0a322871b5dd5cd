// Convex brushes: their faces as polygons, their bounds.
#pragma once
#include <vector>

#include "tools/mapc/mapc_source.h"
#include "tools/mapc/winding.h"

// Half-size of the square a brush face's polygon is cut from: larger than
// any level (coordinates stay within 65536 units of the origin).
constexpr double mapc_world_extent = 262144.0;

// The plane of face i of a brush.
mapc_plane mapc_brush_plane(const mapc_brush& b, size_t i);

// The polygon of every face of the brush, in face order: the face's plane
// cut by all the other planes. A face that the others leave no area of (it
// does not bound the brush) has an empty polygon.
std::vector<mapc_winding> mapc_brush_windings(const mapc_brush& b);

// Sets the brush's bounds from its face polygons; false when it has no
// volume (fewer than four faces with area).
bool mapc_brush_bound(mapc_brush& b);
