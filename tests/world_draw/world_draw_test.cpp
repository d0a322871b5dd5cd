// Drawing the tree: back-to-front order, light maps and vertex lighting.
#include "world_draw/world_draw.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "tests/render/gl_scene.h"
#include "tests/support/gl_context.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"

namespace {

const double origin[3] = {0, 0, 0};

class WorldDraw : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_gl_context());
    reset_scene();
    look_down_minus_z();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    red = solid_texture(255, 0, 0);
    green = solid_texture(0, 255, 0);
    white = solid_texture(255, 255, 255);
  }
  void TearDown() override {
    bsp_free(tree);
    GLuint names[3] = {red, green, white};
    glDeleteTextures(3, names);
  }
  uint32_t red = 0, green = 0, white = 0;
  bsp_node* tree = nullptr;
};

TEST(VertexLightGrey, ByDistanceAndBelowTheFloor) {
  const double eye[3] = {1, 2, 3};
  EXPECT_NEAR(vertex_light_grey(map_vertex{1, 2, 3 - 50, 0, 0}, eye), 0.6, 1e-12);
  EXPECT_NEAR(vertex_light_grey(map_vertex{1 + 10, 2, 3, 0, 0}, eye), 1.0, 1e-12);
  EXPECT_NEAR(vertex_light_grey(map_vertex{1, 2 + 5, 3, 0, 0}, eye), 1.05, 1e-12);
  EXPECT_NEAR(vertex_light_grey(map_vertex{1, 2, 3 + 110, 0, 0}, eye), 0.0, 1e-12);
  EXPECT_EQ(vertex_light_grey(map_vertex{0, -100.5, 0, 0, 0}, eye), 0.0);
  const double low_eye[3] = {0, -101, 0};
  EXPECT_EQ(vertex_light_grey(map_vertex{0, -101, 0, 0, 0}, low_eye), 0.0);
}

TEST(LightMapCoord, InsetByOneTexel) {
  double s, t;
  light_map_coord(0, 4, 8, &s, &t);
  EXPECT_DOUBLE_EQ(s, 0.125);
  EXPECT_DOUBLE_EQ(t, 0.25);
  light_map_coord(1, 4, 8, &s, &t);
  EXPECT_DOUBLE_EQ(s, 0.125);
  EXPECT_DOUBLE_EQ(t, 0.75);
  light_map_coord(2, 4, 8, &s, &t);
  EXPECT_DOUBLE_EQ(s, 0.875);
  EXPECT_DOUBLE_EQ(t, 0.75);
  light_map_coord(3, 4, 8, &s, &t);
  EXPECT_DOUBLE_EQ(s, 0.875);
  EXPECT_DOUBLE_EQ(t, 0.25);
}

TEST(LightMapPass, OnlyWithAGridAndFourCorners) {
  bsp_polygon p{};
  p.vert_count = 4;
  EXPECT_FALSE(polygon_has_light_map(p));
  p.light_texture = 5;
  EXPECT_FALSE(polygon_has_light_map(p));
  p.light_rows = 2;
  p.light_cols = 2;
  EXPECT_TRUE(polygon_has_light_map(p));
  p.vert_count = 3;
  EXPECT_FALSE(polygon_has_light_map(p));
}

TEST_F(WorldDraw, TheNearerPolygonInTreeOrderCoversTheFarther) {
  // Near red at z = -5 splits space; the far green one lies behind it.
  tree = square_node(0, 0, 2, -5, red);
  tree->back = square_node(0, 0, 5, -10, green);
  tree->back->back = new bsp_node{nullptr, nullptr, nullptr, 1, 0};
  world_draw(tree, origin, false);
  rgba centre = read_pixel(128, 128);
  EXPECT_EQ(centre.r, 255);
  EXPECT_EQ(centre.g, 0);
  // The far square shows around the near one.
  rgba side = read_pixel(128 + 100, 128);
  EXPECT_EQ(side.g, 255);
}

TEST_F(WorldDraw, TreeOrderNotDepthDecides) {
  // The same squares with the far one put on the front side: drawn last,
  // with the depth function "always" it covers the nearer one.
  tree = square_node(0, 0, 2, -5, red);
  tree->front = square_node(0, 0, 4, -10, green);
  world_draw(tree, origin, false);
  rgba centre = read_pixel(128, 128);
  EXPECT_EQ(centre.g, 255);
  EXPECT_EQ(centre.r, 0);
}

TEST_F(WorldDraw, PolygonsFacingAwayOrSeenEdgeOnAreNotDrawn) {
  tree = square_node(0, 0, 2, -5, red);
  tree->poly->normal[2] = -1.0;  // faces away from the eye
  tree->front = square_node(0, 0, 4, -10, green);
  world_draw(tree, origin, false);
  EXPECT_EQ(read_pixel(128, 128).g, 255);
  EXPECT_EQ(read_pixel(128, 128).r, 0);

  // The eye on the plane: the front subtree first, then the back one.
  bsp_free(tree);
  reset_scene();
  look_down_minus_z();
  tree = square_node(0, 0, 2, 0, red);
  tree->front = square_node(0, 0, 4, -10, green);
  tree->back = square_node(0, 0, 1, -20, white);
  world_draw(tree, origin, false);
  rgba centre = read_pixel(128, 128);
  EXPECT_EQ(centre.r, 255);
  EXPECT_EQ(centre.g, 255);
  EXPECT_EQ(centre.b, 255);
}

TEST_F(WorldDraw, LightMapOfZeroKeepsTheTextureAndFullBlackens) {
  tree = square_node(0, 0, 2, -5, white);
  give_light_map(tree, 4, 4, 0);
  world_draw(tree, origin, false);
  rgba lit = read_pixel(128, 128);
  EXPECT_EQ(lit.r, 255);
  EXPECT_EQ(lit.g, 255);

  bsp_free(tree);
  reset_scene();
  look_down_minus_z();
  tree = square_node(0, 0, 2, -5, white);
  give_light_map(tree, 4, 4, 255);
  world_draw(tree, origin, false);
  rgba dark = read_pixel(128, 128);
  EXPECT_EQ(dark.r, 0);
  EXPECT_EQ(dark.g, 0);
  EXPECT_EQ(dark.b, 0);

  bsp_free(tree);
  reset_scene();
  look_down_minus_z();
  tree = square_node(0, 0, 2, -5, white);
  give_light_map(tree, 4, 4, 128);
  world_draw(tree, origin, false);
  EXPECT_NEAR(read_pixel(128, 128).r, 127, 2);
}

TEST_F(WorldDraw, APolygonWithoutLightGridIsDrawnTextured) {
  tree = square_node(0, 0, 2, -5, red);
  world_draw(tree, origin, false);
  EXPECT_EQ(read_pixel(128, 128).r, 255);
  // A triangle is drawn too, without the light-map pass.
  bsp_free(tree);
  reset_scene();
  look_down_minus_z();
  tree = square_node(0, 0, 2, -5, green);
  tree->poly->vert_count = 3;
  give_light_map(tree, 2, 2, 255);
  world_draw(tree, origin, false);
  EXPECT_EQ(read_pixel(128 + 20, 128 - 20).g, 255);
}

TEST_F(WorldDraw, VertexLightingGreysByDistance) {
  struct probe {
    double dist;
    int grey;
  };
  const probe probes[] = {{10, 255}, {50, 153}, {110, 0}};
  for (const probe& p : probes) {
    reset_scene();
    look_down_minus_z();
    bsp_free(tree);
    // Every corner at the same distance from the eye, so the grey is even.
    double half = p.dist * 0.2;
    double z = -std::sqrt(p.dist * p.dist - 2 * half * half);
    tree = square_node(0, 0, half, z, white);
    give_light_map(tree, 4, 4, 255);  // ignored under vertex lighting
    world_draw(tree, origin, true);
    rgba c = read_pixel(128, 128);
    EXPECT_NEAR(c.r, p.grey, 1) << "at " << p.dist;
    EXPECT_EQ(c.r, c.g);
    EXPECT_EQ(c.g, c.b);
  }
}

TEST_F(WorldDraw, MirroredVTextureMatrixIsLeftForTheNextPolygon) {
  tree = square_node(0, 0, 2, -5, red);
  world_draw(tree, origin, false);
  GLdouble m[16];
  glGetDoublev(GL_TEXTURE_MATRIX, m);
  EXPECT_EQ(m[0], 1.0);
  EXPECT_EQ(m[5], -1.0);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(WorldDraw, AnInnerNodeWithoutPolygonStillDrawsItsSubtrees) {
  tree = new bsp_node{};  // an empty level's root
  world_draw(tree, origin, false);
  EXPECT_EQ(read_pixel(128, 128).r, 0);
  tree->front = square_node(0, 0, 2, -5, red);
  world_draw(tree, origin, false);
  EXPECT_EQ(read_pixel(128, 128).r, 255);
}

}  // namespace
