// The level's light maps copied side by side into one texture.
#include "world_draw/light_atlas.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/texture_upload.h"
#include "world/bsp_node.h"
#include "world/bsp_polygons_walk.h"
#include "world_draw/world_draw.h"

namespace {

// Texels left empty between two maps. Linear filtering never reaches past
// a map's own texels (its coordinates stay a texel inside its edges), so
// this is only a margin.
constexpr int32_t gap = 1;

bool atlas_candidate(const bsp_polygon& poly) {
  return polygon_has_light_map(poly) && poly.light_alpha && poly.vert_count == 4 && poly.verts;
}

void make_texture(light_atlas& atlas) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  std::vector<uint8_t> clear(static_cast<size_t>(light_atlas_side) * light_atlas_side * 4, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, light_atlas_side, light_atlas_side, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               clear.data());
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  atlas.texture = name;
  atlas.width = light_atlas_side;
  atlas.height = light_atlas_side;
}

// Finds room for a map of cols x rows texels; false when the atlas is full.
bool find_room(light_atlas& atlas, int32_t cols, int32_t rows, int32_t* x, int32_t* y) {
  if (cols > atlas.width || rows > atlas.height) return false;
  if (atlas.shelf_x + cols > atlas.width) {
    atlas.shelf_y += atlas.shelf_height + gap;
    atlas.shelf_x = 0;
    atlas.shelf_height = 0;
  }
  if (atlas.shelf_y + rows > atlas.height) return false;
  *x = atlas.shelf_x;
  *y = atlas.shelf_y;
  atlas.shelf_x += cols + gap;
  if (rows > atlas.shelf_height) atlas.shelf_height = rows;
  return true;
}

}  // namespace

bool light_atlas_placed(const light_atlas& atlas, const bsp_polygon& poly) {
  return atlas.texture != 0 && poly.light_atlas_generation == atlas.generation;
}

bool light_atlas_holds(const light_atlas& atlas, const bsp_polygon& poly) {
  return light_atlas_placed(atlas, poly) && poly.light_atlas_x >= 0 && atlas_candidate(poly);
}

void light_atlas_rebuild(light_atlas& atlas, bsp_node* root) {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  if (atlas.texture == 0) make_texture(atlas);
  atlas.generation += 1;
  if (atlas.generation == 0) atlas.generation = 1;  // 0 is "never placed"
  // The blank block sits in the corner; the first shelf starts beside it.
  atlas.shelf_x = light_atlas_blank_side + gap;
  atlas.shelf_y = 0;
  atlas.shelf_height = light_atlas_blank_side;
  atlas.left_out = 0;
  glBindTexture(GL_TEXTURE_2D, atlas.texture);
  std::vector<uint8_t> blank(light_atlas_blank_side * light_atlas_blank_side * 4, 0);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, light_atlas_blank_side, light_atlas_blank_side, GL_RGBA,
                  GL_UNSIGNED_BYTE, blank.data());
  // Tallest maps first: the shelves then waste little above shorter maps.
  struct waiting {
    bsp_polygon* poly;
    int32_t w, h;
  };
  std::vector<waiting> maps;
  for_each_polygon(root, [&](bsp_polygon& poly) {
    poly.light_atlas_generation = atlas.generation;
    poly.light_atlas_x = -1;
    if (!atlas_candidate(poly)) return;
    maps.push_back(waiting{&poly, poly.light_cols, poly.light_rows});
  });
  std::stable_sort(maps.begin(), maps.end(), [](const waiting& a, const waiting& b) { return a.h > b.h; });
  int32_t taken = 0;
  for (const waiting& m : maps) {
    int32_t x = 0, y = 0;
    if (!find_room(atlas, m.w, m.h, &x, &y)) {
      atlas.left_out += 1;
      continue;
    }
    const std::vector<uint8_t> texels = light_map_texels(m.poly->light_alpha, m.h, m.w);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, m.w, m.h, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    m.poly->light_atlas_x = x;
    m.poly->light_atlas_y = y;
    taken += 1;
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  printf("light atlas: %d light maps, %d drawn apart\n", taken, atlas.left_out);
}

void light_atlas_blank_coord(const light_atlas& atlas, double* s, double* t) {
  *s = atlas.width > 0 ? 0.5 * light_atlas_blank_side / atlas.width : 0.0;
  *t = atlas.height > 0 ? 0.5 * light_atlas_blank_side / atlas.height : 0.0;
}

void light_atlas_coord(const light_atlas& atlas, const bsp_polygon& poly, int corner, double* s, double* t) {
  if (!light_atlas_holds(atlas, poly) || atlas.width <= 0 || atlas.height <= 0) {
    light_atlas_blank_coord(atlas, s, t);
    return;
  }
  double own_s = 0.0, own_t = 0.0;
  light_map_coord(corner, poly.light_rows, poly.light_cols, &own_s, &own_t);
  *s = (poly.light_atlas_x + own_s * poly.light_cols) / atlas.width;
  *t = (poly.light_atlas_y + own_t * poly.light_rows) / atlas.height;
}

void light_atlas_forget_context(light_atlas& atlas) {
  atlas.texture = 0;
  atlas.generation += 1;
  if (atlas.generation == 0) atlas.generation = 1;
}
