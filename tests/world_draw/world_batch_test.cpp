// What the batched world pass draws from: the light atlas and the texture
// array, read back from GL and compared with the textures they copy.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "base/texture_load.h"
#include "base/texture_upload.h"
#include "tests/support/gl_context.h"
#include "world/bsp_node.h"
#include "world/light_map_build.h"
#include "world_draw/light_atlas.h"
#include "world_draw/world_texture_array.h"

namespace {

std::vector<uint8_t> level_texels(GLenum target, uint32_t name, int level, size_t size) {
  std::vector<uint8_t> texels(size, 7);
  glBindTexture(target, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(target, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glBindTexture(target, 0);
  return texels;
}

// A light-mapped quad whose grid holds values that tell its texels apart.
struct mapped_quad {
  map_vertex verts[4] = {};
  bsp_polygon poly = {};
  bsp_node node = {};
  mapped_quad(int32_t rows, int32_t cols, int32_t seed) {
    std::vector<int32_t> cells(static_cast<size_t>(rows) * cols);
    for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<int32_t>((i * 7 + seed) % 251);
    std::vector<const int32_t*> grid;
    for (int32_t r = 0; r < rows; ++r) grid.push_back(&cells[static_cast<size_t>(r) * cols]);
    poly.verts = verts;
    poly.vert_count = 4;
    poly.light_rows = rows;
    poly.light_cols = cols;
    poly.light_alpha = light_map_alpha(grid.data(), rows, cols);
    poly.light_texture = light_map_upload(poly.light_alpha, rows, cols);
    node.poly = &poly;
  }
  ~mapped_quad() {
    glDeleteTextures(1, &poly.light_texture);
    delete[] poly.light_alpha;
  }
};

// Maps are copied texel for texel to where the polygon says, their corner
// coordinates point at the same texels as in their own texture, a map that
// cannot fit is left to be drawn apart, and a new generation (a new level
// or context) places everything again.
TEST(LightAtlas, CopiesEachMapWhereItsPolygonSays) {
  ASSERT_TRUE(test_gl_context());
  mapped_quad small(3, 4, 1), tall(1020, 600, 2), too_big(900, 500, 3);
  small.node.front = &tall.node;
  tall.node.front = &too_big.node;
  light_atlas atlas{};
  light_atlas_rebuild(atlas, &small.node);
  ASSERT_NE(atlas.texture, 0u);
  EXPECT_TRUE(light_atlas_holds(atlas, small.poly));
  EXPECT_TRUE(light_atlas_holds(atlas, tall.poly));
  EXPECT_FALSE(light_atlas_holds(atlas, too_big.poly));
  EXPECT_TRUE(light_atlas_placed(atlas, too_big.poly));
  EXPECT_EQ(atlas.left_out, 1);

  std::vector<uint8_t> whole =
      level_texels(GL_TEXTURE_2D, atlas.texture, 0, static_cast<size_t>(atlas.width) * atlas.height * 4);
  for (const mapped_quad* q : {&small, &tall}) {
    int32_t rows = q->poly.light_rows, cols = q->poly.light_cols;
    std::vector<uint8_t> own =
        level_texels(GL_TEXTURE_2D, q->poly.light_texture, 0, static_cast<size_t>(rows) * cols * 4);
    int mismatches = 0;
    for (int32_t r = 0; r < rows; ++r)
      for (int32_t c = 0; c < cols; ++c)
        for (int k = 0; k < 4; ++k)
          mismatches += whole[((static_cast<size_t>(q->poly.light_atlas_y + r) * atlas.width) +
                               static_cast<size_t>(q->poly.light_atlas_x + c)) *
                                  4 +
                              k] != own[(static_cast<size_t>(r) * cols + c) * 4 + k];
    EXPECT_EQ(mismatches, 0) << rows << " x " << cols;
    // Corner 2 sits a texel inside the far corner, as in its own texture.
    double s = 0, t = 0;
    light_atlas_coord(atlas, q->poly, 2, &s, &t);
    EXPECT_DOUBLE_EQ(s * atlas.width, q->poly.light_atlas_x + cols - 1.0);
    EXPECT_DOUBLE_EQ(t * atlas.height, q->poly.light_atlas_y + rows - 1.0);
  }
  // Polygons the atlas does not hold read the blank block, which is dark 0.
  double s = 0, t = 0;
  light_atlas_coord(atlas, too_big.poly, 0, &s, &t);
  EXPECT_LT(s * atlas.width, light_atlas_blank_side);
  EXPECT_LT(t * atlas.height, light_atlas_blank_side);
  EXPECT_EQ(
      whole[(static_cast<size_t>(t * atlas.height) * atlas.width + static_cast<size_t>(s * atlas.width)) * 4 +
            3],
      0);

  // A new context: the old name is forgotten, the polygons are placed again.
  uint32_t generation = atlas.generation;
  light_atlas_forget_context(atlas);
  EXPECT_EQ(atlas.texture, 0u);
  EXPECT_FALSE(light_atlas_placed(atlas, small.poly));
  light_atlas_rebuild(atlas, &small.node);
  EXPECT_GT(atlas.generation, generation);
  EXPECT_TRUE(light_atlas_holds(atlas, small.poly));
  glDeleteTextures(1, &atlas.texture);
}

// A texture made by GLU, as the game's loader once made them, with the
// texels the loader keeps now (its own mipmap chain), so the layers copied
// from those are checked against GLU's own levels.
struct made_texture {
  uint32_t name = 0;
  texture_image image{};
};

void fill(made_texture& t, int side, bool mipmaps, uint8_t seed) {
  std::vector<uint8_t> texels(static_cast<size_t>(side) * side * 4);
  for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(i * 13 + seed);
  if (t.name == 0) glGenTextures(1, &t.name);
  glBindTexture(GL_TEXTURE_2D, t.name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmaps ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  if (mipmaps)
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, side, side, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  else
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  t.image = texture_image{side, side, mipmaps, {texels}};
  for (int s = side; mipmaps && s > 1; s /= 2)
    t.image.levels.push_back(texture_half_level(t.image.levels.back(), s));
}

made_texture texture(int side, bool mipmaps, uint8_t seed) {
  made_texture t;
  fill(t, side, mipmaps, seed);
  return t;
}

texture_opacity_entry entry(const made_texture& t, const char* path) {
  return texture_opacity_entry{t.name, path, alpha_opaque, &t.image};
}

// Only textures shaped like the first one (size, whole nearest-mipmap
// chain) become layers, every level copied; the rest are drawn one by one.
// A name the driver hands out again for another file (the next level's)
// makes the array again.
TEST(WorldTextureArray, LayersCopyTexturesOfTheFirstOnesShape) {
  ASSERT_TRUE(test_gl_context());
  made_texture a = texture(8, true, 1), b = texture(8, true, 2), larger = texture(16, true, 3),
               flat = texture(8, false, 4);
  std::vector<texture_opacity_entry> level = {entry(a, "a.webp"), entry(larger, "larger.webp"),
                                              entry(flat, "flat.webp"), entry(b, "b.webp")};
  world_texture_array array{};
  world_texture_array_update(array, level);
  ASSERT_TRUE(array.supported);
  ASSERT_NE(array.texture, 0u);
  EXPECT_EQ(array.names, (std::vector<uint32_t>{a.name, b.name}));
  EXPECT_EQ(world_texture_array_layer(array, b.name), 1);
  EXPECT_EQ(world_texture_array_layer(array, larger.name), -1);
  EXPECT_EQ(world_texture_array_layer(array, flat.name), -1);
  EXPECT_EQ(array.levels, 4);
  auto second_layer_matches = [&](const made_texture& source) {
    for (int level_index = 0; level_index < 4; ++level_index) {
      size_t side = static_cast<size_t>(8 >> level_index);
      std::vector<uint8_t> layers =
          level_texels(GL_TEXTURE_2D_ARRAY, array.texture, level_index, side * side * 4 * 2);
      std::vector<uint8_t> own = level_texels(GL_TEXTURE_2D, source.name, level_index, side * side * 4);
      if (std::vector<uint8_t>(layers.begin() + static_cast<long>(side * side * 4), layers.end()) != own)
        return false;
    }
    return true;
  };
  EXPECT_TRUE(second_layer_matches(b));

  uint32_t made = array.texture;
  world_texture_array_update(array, level);
  EXPECT_EQ(array.texture, made);
  // The next level: b's name now holds another file (as when the driver
  // hands a freed name out again).
  fill(b, 8, true, 200);
  EXPECT_FALSE(second_layer_matches(b));
  level[3] = entry(b, "other.webp");
  world_texture_array_update(array, level);
  EXPECT_TRUE(second_layer_matches(b));

  world_texture_array_update(array, {entry(larger, "larger.webp")});
  EXPECT_EQ(array.names, (std::vector<uint32_t>{larger.name}));
  EXPECT_EQ(array.width, 16);
  uint32_t names[] = {a.name, b.name, larger.name, flat.name, array.texture};
  glDeleteTextures(5, names);
}

}  // namespace
