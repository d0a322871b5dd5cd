// Tileable world textures for the levels, and the default texture used where a level names none.
#pragma once

#include "tools/assetgen/raster.h"

// Number of world textures written to textures/world/.
constexpr int world_texture_count = 43;

// File name (without ".webp") of world texture i, e.g. "metal_wall".
const char* world_texture_name(int i);
// Draws world texture i (128 x 128, tiling seamlessly in both directions). Every one is opaque
// except "sky", which is wholly see-through.
image draw_world_texture(int i);
// Draws data/textures/tarvo.webp, the default world texture.
image draw_default_world_texture(int unused);
