// Which of the level's world textures are opaque in every texel, so that
// the polygons wearing them can be drawn nearest first under the depth
// test, without blending, and still look exactly as the painter's order
// draws them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/texture_load.h"

struct world_texture;

// What the alpha of every texel of every mipmap level of a texture allows:
// all 255 (opaque), all at most 25 (invisible: the world's alpha test at
// 0.1 drops every fragment, so drawing it leaves colour and depth as they
// were), or anything else.
enum texture_alpha : uint8_t { alpha_mixed, alpha_opaque, alpha_invisible };

// A texture of the level's list: its GL name, its file, its alpha and the
// texels kept when it was loaded (null when none were kept).
struct texture_opacity_entry {
  uint32_t name;
  std::string path;
  texture_alpha alpha;
  const texture_image* image;
};

// What is known so far. Entries are keyed by name and file together: a
// name the driver hands out again after a level is left only matches when
// it holds the same file, so nothing stale is ever used.
struct texture_opacity_table {
  std::vector<texture_opacity_entry> known;  // every (name, file) looked at so far
  std::vector<texture_opacity_entry> frame;  // the level's list as of the last refresh
  uint32_t default_name;                     // the default world texture, looked at once per name
  texture_alpha default_alpha;
};

// Brings the table up to date with the level's world-texture list (any
// entry of it) and the default world texture (its name and kept texels); a
// texture not seen before is looked at in the texels kept when it was
// loaded. Cheap when nothing changed. Called once per frame by the world
// pass.
void texture_opacity_refresh(texture_opacity_table& table, const world_texture* list,
                             uint32_t default_texture, const texture_image& default_image);

// The alpha of `name` when it is one of the level's textures (or the
// default one). Textures the level does not list are taken as mixed, which
// sends them down the exact back-to-front path.
texture_alpha texture_opacity_alpha(const texture_opacity_table& table, uint32_t name);
bool texture_opacity_is_opaque(const texture_opacity_table& table, uint32_t name);

// The alpha of every level of kept texels; mixed when none were kept.
texture_alpha texture_image_alpha(const texture_image& image);
