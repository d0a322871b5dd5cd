// How a surface rectangle becomes a polygon: corner order, texture axes, light-map samples.
#pragma once
#include "tools/mapc/csg.h"

// World units per repeat of a world texture.
constexpr double mapc_texture_repeat = 4.0;
// Light samples per world unit along each side of a face (about one).
constexpr double mapc_light_density = 1.0;
// Most samples along one side of a light grid.
constexpr int mapc_light_max_side = 256;

// The two axes of a face's rectangle as the polygon uses them: light-map
// columns run along col_axis (corner 0 to corner 3) and rows along row_axis
// (corner 0 to corner 1).
struct mapc_face_frame {
  int col_axis, row_axis;
  double col_lo, col_hi, row_lo, row_hi;
  double u_sign;  // texture u runs along col_axis with this sign, so walls read unmirrored
};

// The frame of a face: floors and ceilings use x for columns and z for rows;
// walls use their horizontal axis for columns and y for rows.
mapc_face_frame mapc_frame_of(const mapc_face& f);
// Corner i (0 to 3) of the face: (col lo, row lo), (col lo, row hi),
// (col hi, row hi), (col hi, row lo).
void mapc_face_corner(const mapc_face& f, int i, double out[3]);
// World-aligned texture coordinates of a point of the face.
void mapc_face_uv(const mapc_face& f, const double p[3], double* u, double* v);
// Interior samples along the columns and rows (at least 2 each); the light
// grid adds one border row or column on every side.
void mapc_light_samples(const mapc_face& f, int* cols, int* rows);
// The point of the face that interior grid value (row r, column c), 1-based
// inside the border, stands for: the centre of that light-map texel as the
// renderer stretches the inset light map over corners 0 to 3.
void mapc_light_sample_point(const mapc_face& f, int r, int c, double out[3]);
