// The window icon: the title screen's sunset behind a big "T", on a rounded tile.
#pragma once

#include "tools/assetgen/raster.h"

// Side of the square icon image in pixels.
constexpr int icon_size = 64;

// Draws the icon (the argument is unused; it fits the image catalogue).
image draw_icon_image(int);
