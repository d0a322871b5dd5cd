// The level's opaque world textures of one size copied, mipmaps and all,
// from the texels kept when they were loaded into the layers of one array
// texture, so that the world pass can draw
// polygons of different textures without changing textures between them.
#pragma once
#include <cstdint>
#include <vector>

#include "world_draw/texture_opacity.h"

struct world_texture_array {
  uint32_t texture;             // a GL_TEXTURE_2D_ARRAY; 0 when there is none
  std::vector<uint32_t> names;  // the 2-D texture each layer copies, in layer order
  // The textures asked for when it was last made, by name and file: a name
  // the driver hands out again for another level's file makes it again.
  std::vector<texture_opacity_entry> wanted;
  int32_t width, height, levels;
  bool checked;    // whether the driver's support was looked at in this context
  bool supported;  // the driver has array textures (OpenGL 3.0 or EXT_texture_array)
};

// Makes the array hold the textures of `wanted` whose kept texels share the
// first one's size and hold the whole mipmap chain, unless it
// holds them already (the same names for the same files). Cheap when
// nothing changed.
void world_texture_array_update(world_texture_array& array, const std::vector<texture_opacity_entry>& wanted);

// The layer holding texture `name`, or -1.
int32_t world_texture_array_layer(const world_texture_array& array, uint32_t name);

// Forgets the texture without deleting it, after its GL context is gone.
void world_texture_array_forget_context(world_texture_array& array);
