// Carrying a loaded level's tree from one GL context to the next.
#include "world_draw/tree_textures.h"

#include <GL/gl.h>

#include "base/texture_upload.h"
#include "world/bsp_node.h"
#include "world/bsp_polygons_walk.h"

namespace {

uint32_t renamed(uint32_t old_name, const std::vector<texture_rename>& renames) {
  if (old_name == 0) return 0;
  for (const texture_rename& r : renames)
    if (r.old_name == old_name) return r.new_name;
  return 0;
}

}  // namespace

void tree_textures_move_in(bsp_node* root, const std::vector<texture_rename>& renames) {
  // Names of the old context mean nothing here, and deleting one later
  // would delete whatever the new context gave that name.
  for_each_polygon(root, [&](bsp_polygon& poly) {
    poly.texture = renamed(poly.texture, renames);
    poly.light_texture =
        poly.light_alpha ? light_map_upload(poly.light_alpha, poly.light_rows, poly.light_cols) : 0;
  });
  glBindTexture(GL_TEXTURE_2D, 0);
}
