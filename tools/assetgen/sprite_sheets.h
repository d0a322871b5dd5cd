// Enemy sprite sheets: five viewing directions across, animation cells down.
#pragma once

#include "tools/assetgen/raster.h"

// Draws the sprite sheet of enemy sheet i (see enemy_kinds.h).
image draw_enemy_sheet(int i);
