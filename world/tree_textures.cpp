// Carrying a loaded level's tree from one GL context to the next.
#include "world/tree_textures.h"

#include <GL/gl.h>

#include <cstddef>
#include <utility>

#include "world/bsp_node.h"
#include "world/bsp_polygons_walk.h"
#include "world/light_map_build.h"

namespace {

// The texture's level-0 texels as RGBA bytes. False when the name is no
// texture of the current context.
bool read_back(uint32_t name, light_map_copy& copy) {
  if (!glIsTexture(name)) return false;
  glBindTexture(GL_TEXTURE_2D, name);
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (width <= 0 || height <= 0) return false;
  copy.width = width;
  copy.height = height;
  copy.rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  // Four bytes a texel keep every row aligned whatever the packing, but the
  // packing is left as it was found for whoever reads pixels next.
  GLint packing = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packing);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, copy.rgba.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packing);
  return true;
}

uint32_t renamed(uint32_t old_name, const std::vector<texture_rename>& renames) {
  if (old_name == 0) return 0;
  for (const texture_rename& r : renames)
    if (r.old_name == old_name) return r.new_name;
  return 0;
}

}  // namespace

std::vector<light_map_copy> tree_light_maps_read_back(bsp_node* root) {
  std::vector<light_map_copy> copies;
  for_each_polygon(root, [&](bsp_polygon& poly) {
    if (poly.light_texture == 0) return;
    light_map_copy copy{&poly, 0, 0, {}};
    if (read_back(poly.light_texture, copy)) copies.push_back(std::move(copy));
  });
  glBindTexture(GL_TEXTURE_2D, 0);
  return copies;
}

void tree_textures_move_in(bsp_node* root, const std::vector<light_map_copy>& light_maps,
                           const std::vector<texture_rename>& renames) {
  // Names of the old context mean nothing here, and deleting one later
  // would delete whatever the new context gave that name.
  for_each_polygon(root, [&](bsp_polygon& poly) {
    poly.light_texture = 0;
    poly.texture = renamed(poly.texture, renames);
  });
  for (const light_map_copy& copy : light_maps)
    copy.poly->light_texture = light_map_upload(copy.rgba.data(), copy.height, copy.width);
  glBindTexture(GL_TEXTURE_2D, 0);
}
