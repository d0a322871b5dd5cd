// The two bitmap-font images: 8 x 8 grids of 16-pixel cells, white glyphs on transparency.
#pragma once

#include "tools/assetgen/raster.h"

// Side of one font cell in pixels; the images are 8 cells wide and high.
constexpr int font_cell = 16;

// Draws font image 1 (characters 33 to 96) or 2 (characters 97 to 126 in its first 30 cells).
image draw_font_image(int which);
