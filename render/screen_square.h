// How the 2-D screen square meets a window of any shape: the square from
// (-1, -1) to (1, 1) is drawn with the shape of a 4:3 window in the middle,
// so text and pictures look the same on every window, and the window's
// edges lie beyond it (to the sides of a wide window, above and below a
// tall one) for what fills the whole window: backgrounds, fades, the weapon.
#pragma once

// The window's edges in square units: x runs from -half_width to
// half_width, y from -half_height to half_height; both are 1 or more.
struct screen_extent {
  double half_width;
  double half_height;
};

// The shape the square keeps, width over height.
constexpr double screen_square_aspect = 4.0 / 3.0;

// The extents of a `width` x `height` pixel picture with the square fitted
// at 4:3 in its middle; the plain square for a size of 0 or less.
screen_extent screen_extent_for(int width, int height);

// Loads the 2-D projection for the current viewport (the square at 4:3 in
// its middle) and an identity model-view. Used by the game's 2-D pass, the
// menus and the level unload.
screen_extent set_screen_projection();

// The extents of the 2-D projection in force: what set_screen_projection
// chose, or (1, 1) under a plain square projection.
screen_extent current_screen_extent();

// The width of one square unit in pixels over its height, under the
// projection and viewport in force: 4/3 in the fitted square. Pictures use
// it to keep their shape.
double screen_unit_aspect();
