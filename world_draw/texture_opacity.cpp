// Which of the level's world textures are opaque in every texel.
#include "world_draw/texture_opacity.h"

#include <cstring>

#include "world/world_texture.h"

namespace {

// More remembered textures than this and the ones of earlier levels go.
constexpr size_t known_limit = 512;

const world_texture* list_head(const world_texture* any) {
  while (any && any->prev) any = any->prev;
  return any;
}

// Whether the remembered frame list is exactly the level's list now (the
// same entries, so the texels it points at are still there).
bool frame_matches(const std::vector<texture_opacity_entry>& frame, const world_texture* head) {
  size_t i = 0;
  for (const world_texture* e = head; e; e = e->next, ++i) {
    if (i >= frame.size() || frame[i].name != e->texture || frame[i].image != &e->image) return false;
    if (strncmp(frame[i].path.c_str(), e->path, world_texture_path_size) != 0) return false;
  }
  return i == frame.size();
}

texture_alpha known_alpha(texture_opacity_table& table, const world_texture& e) {
  for (const texture_opacity_entry& k : table.known)
    if (k.name == e.texture && strncmp(k.path.c_str(), e.path, world_texture_path_size) == 0) return k.alpha;
  if (table.known.size() >= known_limit) table.known.clear();
  texture_alpha alpha = e.texture != 0 ? texture_image_alpha(e.image) : alpha_mixed;
  table.known.push_back(texture_opacity_entry{
      e.texture, std::string(e.path, strnlen(e.path, world_texture_path_size)), alpha, nullptr});
  return alpha;
}

// The largest alpha the world's alpha test (greater than 0.1) drops.
constexpr uint8_t dropped_alpha = 25;

}  // namespace

texture_alpha texture_image_alpha(const texture_image& image) {
  bool opaque = true;
  bool invisible = true;
  for (const std::vector<uint8_t>& level : image.levels)
    for (size_t i = 3; i < level.size() && (opaque || invisible); i += 4) {
      if (level[i] != 255) opaque = false;
      if (level[i] > dropped_alpha) invisible = false;
    }
  if (image.levels.empty()) return alpha_mixed;
  return opaque ? alpha_opaque : invisible ? alpha_invisible : alpha_mixed;
}

void texture_opacity_refresh(texture_opacity_table& table, const world_texture* list,
                             uint32_t default_texture, const texture_image& default_image) {
  if (default_texture != table.default_name) {
    table.default_name = default_texture;
    table.default_alpha = default_texture != 0 ? texture_image_alpha(default_image) : alpha_mixed;
  }
  const world_texture* head = list_head(list);
  if (frame_matches(table.frame, head)) return;
  table.frame.clear();
  for (const world_texture* e = head; e; e = e->next) {
    texture_alpha alpha = known_alpha(table, *e);
    table.frame.push_back(texture_opacity_entry{
        e->texture, std::string(e->path, strnlen(e->path, world_texture_path_size)), alpha, &e->image});
  }
}

texture_alpha texture_opacity_alpha(const texture_opacity_table& table, uint32_t name) {
  if (name == 0) return alpha_mixed;
  if (name == table.default_name) return table.default_alpha;
  for (const texture_opacity_entry& e : table.frame)
    if (e.name == name) return e.alpha;
  return alpha_mixed;
}

bool texture_opacity_is_opaque(const texture_opacity_table& table, uint32_t name) {
  return texture_opacity_alpha(table, name) == alpha_opaque;
}
