// An entry of the level's world-texture list.
#pragma once
#include <cstdint>

#include "base/texture_load.h"

constexpr int world_texture_path_size = 260;

struct world_texture {
  int32_t id;
  char path[world_texture_path_size];  // relative to "data/textures/world"
  uint32_t texture;                    // 0 when the image failed to load
  world_texture* prev;
  world_texture* next;
  texture_image image;  // its texels as loaded, for the world pass's texture array
};
