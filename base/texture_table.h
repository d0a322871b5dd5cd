// The fixed catalogue of textures in numbered slots, and the level's world textures.
#pragma once
#include <cstdint>

#include "base/texture_load.h"

struct world_texture;

constexpr int texture_slot_count = 163;

// Slots other code refers to by number.
enum {
  tex_blood = 0,
  tex_default_world = 1,
  tex_font_1 = 2,
  tex_font_2 = 3,
  tex_hud_faces = 4,
  tex_hud_icons = 5,
  tex_crosshair = 6,
  tex_sky = 7,
  tex_sky2 = 8,
  tex_logo = 160,
  tex_title = 161,
  tex_title2 = 162,
};

struct texture_table {
  uint32_t slots[texture_slot_count];                    // GL texture names, 0 = none
  world_texture* world_textures;                         // the entry with id 1 of the level's list
  texture_image default_world_image;                     // the texels of slots[tex_default_world]
  texture_alpha_blocks slot_blocks[texture_slot_count];  // each slot's alpha summary, kept at load
};
