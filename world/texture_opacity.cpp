// Which of the level's world textures are opaque in every texel.
#include "world/texture_opacity.h"

#include <GL/gl.h>

#include <cstring>

#include "world/world_texture.h"

namespace {

// More remembered textures than this and the ones of earlier levels go.
constexpr size_t known_limit = 512;

const world_texture* list_head(const world_texture* any) {
  while (any && any->prev) any = any->prev;
  return any;
}

// Whether the remembered frame list is exactly the level's list now.
bool frame_matches(const std::vector<texture_opacity_entry>& frame, const world_texture* head) {
  size_t i = 0;
  for (const world_texture* e = head; e; e = e->next, ++i) {
    if (i >= frame.size() || frame[i].name != e->texture) return false;
    if (strncmp(frame[i].path.c_str(), e->path, world_texture_path_size) != 0) return false;
  }
  return i == frame.size();
}

texture_alpha known_alpha(texture_opacity_table& table, uint32_t name, const char* path) {
  for (const texture_opacity_entry& k : table.known)
    if (k.name == name && strncmp(k.path.c_str(), path, world_texture_path_size) == 0) return k.alpha;
  if (table.known.size() >= known_limit) table.known.clear();
  texture_alpha alpha = texture_alpha_read(name);
  table.known.push_back(
      texture_opacity_entry{name, std::string(path, strnlen(path, world_texture_path_size)), alpha});
  return alpha;
}

// The largest alpha the world's alpha test (greater than 0.1) drops.
constexpr uint8_t dropped_alpha = 25;

}  // namespace

texture_alpha texture_alpha_read(uint32_t name) {
  if (name == 0) return alpha_mixed;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, name);
  GLint pack_alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack_alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  bool opaque = true;
  bool invisible = true;
  bool any_image = false;
  std::vector<uint8_t> texels;
  for (int level = 0; (opaque || invisible) && level < 32; ++level) {
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    if (w <= 0 || h <= 0) break;
    any_image = true;
    texels.assign(static_cast<size_t>(w) * h * 4, 0);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    for (size_t i = 3; i < texels.size() && (opaque || invisible); i += 4) {
      if (texels[i] != 255) opaque = false;
      if (texels[i] > dropped_alpha) invisible = false;
    }
  }
  glPixelStorei(GL_PACK_ALIGNMENT, pack_alignment);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  if (!any_image) return alpha_mixed;
  return opaque ? alpha_opaque : invisible ? alpha_invisible : alpha_mixed;
}

void texture_opacity_refresh(texture_opacity_table& table, const world_texture* list,
                             uint32_t default_texture) {
  if (default_texture != table.default_name) {
    table.default_name = default_texture;
    table.default_alpha = texture_alpha_read(default_texture);
  }
  const world_texture* head = list_head(list);
  if (frame_matches(table.frame, head)) return;
  table.frame.clear();
  for (const world_texture* e = head; e; e = e->next) {
    texture_alpha alpha = known_alpha(table, e->texture, e->path);
    table.frame.push_back(texture_opacity_entry{
        e->texture, std::string(e->path, strnlen(e->path, world_texture_path_size)), alpha});
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
