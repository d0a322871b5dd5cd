// How a surface polygon becomes map-file polygons: light-map quads, texture
// coordinates, light-map samples.
#pragma once
#include <vector>

#include "tools/mapc/csg.h"

// Light samples per world unit along each side of a face (about one).
constexpr double mapc_light_density = 1.0;
// Most samples along one side of a light grid.
constexpr int mapc_light_max_side = 256;

// The face cut into polygons of four corners, each of which the game's
// light map covers exactly: the map file's polygon is drawn as a fan from
// its corner 0, and its light map over corners 0 to 3 likewise, so texel
// (s, t) of the map lands on the triangle (0, 1, 2) or (0, 2, 3). Columns
// run from corner 0 to corner 3 and rows from corner 0 to corner 1.
// - A rectangle in a plane of constant x, y or z is one quad: floors and
//   ceilings put columns along x and rows along z, walls columns along
//   their horizontal axis and rows along y.
// - Any other polygon is cut into a fan of quads from its first corner
//   (corners 0, i, i + 1, i + 2), and a triangle left over is a quad whose
//   corners 2 and 3 are the same point (only the triangle (0, 1, 2) draws).
std::vector<mapc_winding> mapc_face_quads(const mapc_face& f);

// Texture coordinates of a point by the face's texture axes.
void mapc_face_uv(const mapc_face& f, const mapc_vec& p, double* u, double* v);

// Interior samples along the columns and rows of a quad face (at least 2
// each); the light grid adds one border row or column on every side.
void mapc_light_samples(const mapc_face& f, int* cols, int* rows);
// The point of a quad face that interior grid value (row r, column c),
// 1-based inside the border, stands for: the centre of that light-map texel
// as the renderer stretches the inset light map over corners 0 to 3.
void mapc_light_sample_point(const mapc_face& f, int r, int c, double out[3]);
