// First-person weapon images: full-screen frames, transparent except for the weapon at the bottom.
#pragma once

#include "tools/assetgen/raster.h"

// Width and height of every weapon frame (16:9, stretched over the screen).
constexpr int weapon_frame_w = 320;
constexpr int weapon_frame_h = 180;

// Draws frame number of the folder gun/<folder>: folder code = gun index 0-4 times 2, plus 1 for
// the reload ("r") folder; e.g. code 3 is g1r. Encoded as code * 100 + frame number.
image draw_weapon_frame(int code_and_frame);
