// Which of the level's world textures are opaque in every texel, so that
// the polygons wearing them can be drawn nearest first under the depth
// test, without blending, and still look exactly as the painter's order
// draws them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct world_texture;

// A texture of the level's list: its GL name, its file and whether every
// texel of every mipmap level has alpha 255.
struct texture_opacity_entry {
  uint32_t name;
  std::string path;
  bool opaque;
};

// What is known so far. Entries are keyed by name and file together: a
// name the driver hands out again after a level is left only matches when
// it holds the same file, so nothing stale is ever used.
struct texture_opacity_table {
  std::vector<texture_opacity_entry> known;  // every (name, file) read back so far
  std::vector<texture_opacity_entry> frame;  // the level's list as of the last refresh
  uint32_t default_name;                     // the default world texture, read back once per name
  bool default_opaque;
};

// Brings the table up to date with the level's world-texture list (any
// entry of it) and the default world texture; a texture not seen before is
// read back from GL. Cheap when nothing changed. Called once per frame by
// the world pass.
void texture_opacity_refresh(texture_opacity_table& table, const world_texture* list,
                             uint32_t default_texture);

// Whether `name` is one of the level's textures (or the default one) and
// opaque. Textures the level does not list are taken as see-through, which
// sends them down the exact back-to-front path.
bool texture_opacity_is_opaque(const texture_opacity_table& table, uint32_t name);

// Reads every mipmap level of texture `name` back from GL: true when it has
// an image and every texel's alpha is 255. Leaves the 2-D binding of the
// active unit as it found it.
bool texture_is_opaque(uint32_t name);
