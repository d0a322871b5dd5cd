// Which image and size each entity type is drawn with, and which cell of an
// enemy's sprite sheet shows for its state, frame and viewing angle.
#pragma once
#include <cstdint>

// A single-image billboard: a quad from (-w, -h) to (w, h) around pos.
struct billboard_sprite {
  int32_t slot;  // texture slot
  double half_width;
  double half_height;
  bool shaded;  // darkened with distance (projectiles)
};

// An enemy's sprite sheet: a quad from (-w, 0) to (w, height) on its feet.
struct animated_sprite {
  int32_t slot;
  double half_width;
  double height;
  int32_t rows;  // animation rows of the sheet; it always has 5 columns
};

// The part of an image a sprite shows (u from the left edge, v from the top).
struct sprite_cell {
  double left_u;
  double right_u;
  double top_v;
  double bottom_v;
};

// The billboard drawing of `type`, or false when the type is not one.
bool find_billboard_sprite(int32_t type, billboard_sprite* out);

// The sprite sheet of enemy `type`, or false when the type has none.
bool find_animated_sprite(int32_t type, animated_sprite* out);

// The angle in degrees, within -180..180 for any facing within one turn,
// between where the entity faces and the direction towards the viewer.
double sprite_viewing_angle(const double entity_pos[3], double facing, const double viewer_pos[3]);

// The sheet column for a viewing angle as left and right u: column 0 from
// the front, 4 from behind, mirrored on one side. A boundary angle takes
// the earlier range of the table (22.5 shows column 0).
void sprite_column(double angle, double* left_u, double* right_u);

// The cell of a sheet with `rows` rows for an enemy's state, frame and
// viewing angle: dying and reviving play along row 6, dead is row 7 column
// 0, every other state row frame - 1 by the angle. Rows and columns wrap,
// so frame 0 shows the last row.
sprite_cell sprite_sheet_cell(int32_t state, int32_t frame, int32_t rows, double angle);

// Brightness 1 - d / 100 for a sprite d units from the viewer, single
// precision; below 0 draws black.
float distance_shade(const double pos[3], const double viewer_pos[3]);
