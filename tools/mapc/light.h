// The light pass: a grid of darkness values per polygon.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/bsp_build.h"
#include "tools/mapc/mapc_source.h"

// A polygon's light grid as the map file stores it: rows x cols values, row
// by row, 0 = fully lit, 255 = black. The outer ring repeats its inward
// neighbour, as the light map does on loading.
struct mapc_light_grid {
  int rows, cols;
  std::vector<int> values;
};

// Brightness (0..255) that the lights give a point of a surface with the given
// normal: each light adds its falloff ("delay": 0 linear, 1 inverse,
// 2 inverse square, 3 none; distances in map units scaled by "wait") times
// 0.5 + 0.5 cos of the incidence, when the segment to it is clear in the tree.
// The result is at least `minlight`.
double mapc_brightness(const mapc_tree& tree, const std::vector<mapc_light>& lights, double minlight,
                       const double p[3], const double normal[3]);

// Whether faces with this texture are openings onto the sky: the texture is
// see-through and the sky drawn behind the level shows, so their light grid
// is all 0 (nothing darkens the sky).
bool mapc_is_sky_texture(const std::string& texture);

// Light grids for every face of the tree, in tree.faces order. Faces for which
// `unlit[i]` is set (those facing the void outside the level) get a small
// black grid instead; sky faces a small grid of 0.
std::vector<mapc_light_grid> mapc_light_faces(const mapc_tree& tree, const mapc_source& src,
                                              const std::vector<char>& unlit);
