// Cutting convex polygons of one plane apart and merging them back.
#pragma once
#include <vector>

#include "tools/mapc/winding.h"

// The parts of `pieces` outside the convex polygon `cover`, all lying in the
// plane `p`: each piece is cut along the cover's sides and the part inside
// the cover dropped.
std::vector<mapc_winding> mapc_polygons_subtract(const std::vector<mapc_winding>& pieces,
                                                 const mapc_winding& cover, const mapc_plane& p);

// Merges pieces of the plane `p` that share a side into one convex polygon
// wherever their union is convex, until no two can be merged; corners lying
// on a straight side are dropped.
std::vector<mapc_winding> mapc_polygons_merge(std::vector<mapc_winding> pieces, const mapc_plane& p);
