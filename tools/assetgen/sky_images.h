// Sky images for the sky cube: columns run from the top of a wall (left) to its bottom (right),
// rows run around the horizon and wrap, so the four walls join without seams.
#pragma once

#include "tools/assetgen/raster.h"

// Draws sky 1 (a clear evening sky with clouds) or sky 2 (the red sky of the invasion).
image draw_sky(int which);
