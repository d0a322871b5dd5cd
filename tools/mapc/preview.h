// A small top-down picture of a compiled level, for the level maker to look at.
#pragma once
#include <string>

#include "tools/mapc/compile.h"

// Writes a PNG seen from above (x to the right, z down, as the grid sources
// read): the highest floor at each point shaded by its light map and tinted by
// its height, walls dark, the navigation links orange, and the entities as
// marks (start green, exit cyan, enemies red, pickups yellow, mouse magenta,
// props grey). False when the file cannot be written.
bool mapc_write_preview(const std::string& path, const mapc_source& src, const mapc_result& r,
                        int pixels_per_unit);
