// The HUD and the bitmap text, read back from the screen through a font
// whose every cell has its own colour.
#include "render/hud.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/game_state.h"
#include "render/draw_2d.h"
#include "render/text.h"
#include "tests/render/gl_scene.h"
#include "tests/support/gl_context.h"

namespace {

// Font cells coloured by index: the first image in red 100 + i, the second
// in green 100 + i, both with blue 255 to tell glyphs from the background.
uint32_t coded_font(int image) {
  uint8_t px[8 * 8 * 4];
  for (int i = 0; i < 64; ++i) {
    px[i * 4] = image == 0 ? 100 + i : 0;
    px[i * 4 + 1] = image == 1 ? 100 + i : 0;
    px[i * 4 + 2] = 255;
    px[i * 4 + 3] = 255;
  }
  return make_texture(8, 8, px);
}

// The character whose cell shows at screen point (x, y), or ' ' for none.
char char_at(double x, double y) {
  rgba c = read_pixel(static_cast<int>((x + 1.0) * 128), static_cast<int>((y + 1.0) * 128));
  if (c.b != 255) return ' ';
  if (c.r >= 100) return static_cast<char>(33 + c.r - 100);
  if (c.g >= 100) return static_cast<char>(97 + c.g - 100);
  return '?';
}

// `count` characters of text drawn at (x, y) with glyph size `size`.
std::string text_at(double x, double y, double size, int count) {
  std::string s;
  for (int k = 0; k < count; ++k) s += char_at(x + (k + 0.5) * size, y + 0.5 * size);
  return s;
}

class Hud : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_gl_context());
    reset_scene();
    glMatrixMode(GL_PROJECTION);
    gluOrtho2D(-1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    font = font_pair{coded_font(0), coded_font(1)};
    clear = solid_texture(0, 0, 0, 0);
    for (uint32_t& slot : textures.slots) slot = clear;
    textures.slots[2] = font.first;
    textures.slots[3] = font.second;
    p.health = 100;
    p.current_gun = 4;
  }
  void TearDown() override {
    GLuint names[3] = {font.first, font.second, clear};
    glDeleteTextures(3, names);
  }
  font_pair font{};
  uint32_t clear = 0;
  texture_table textures{};
  console con{};
  player p{};
};

TEST_F(Hud, GlyphsComeFromTheirCells) {
  draw_text(font, "Az~!`a", -1.0, 0.0, 0.1);
  EXPECT_EQ(text_at(-1.0, 0.0, 0.1, 6), "Az~!`a");
  // '~' fills its square from the second image's row 3, column 5.
  reset_scene();
  glMatrixMode(GL_PROJECTION);
  gluOrtho2D(-1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  draw_glyph(font, '~', -1.0, -1.0, 2.0);
  rgba c = read_pixel(5, 250);
  EXPECT_EQ(c.g, 100 + 3 * 8 + 5);
  EXPECT_EQ(read_pixel(250, 5).g, c.g);
}

TEST_F(Hud, SpacesAndBytesWithoutGlyphsKeepTheirPlace) {
  const char text[] = {'a', ' ', 'b', 127, 'c', static_cast<char>(200), 'd', 0};
  draw_text(font, text, -1.0, 0.0, 0.1);
  EXPECT_EQ(text_at(-1.0, 0.0, 0.1, 8), "a b c d ");
}

TEST_F(Hud, ImageQuadsUprightAndMirrored) {
  // Top row red, bottom row blue; left column dim, right bright.
  const uint8_t px[] = {100, 0, 0, 255, 250, 0, 0, 255, 0, 0, 100, 255, 0, 0, 250, 255};
  uint32_t image = make_texture(2, 2, px);
  draw_image_quad(image, -1, -1, 2, 2, 0, 1, 0, 1);
  EXPECT_EQ(read_pixel(10, 250).r, 100);  // top left
  EXPECT_EQ(read_pixel(250, 250).r, 250);
  EXPECT_EQ(read_pixel(10, 10).b, 100);  // bottom left
  draw_image_quad(image, -1, -1, 2, 2, 1, 0, 0, 1);
  EXPECT_EQ(read_pixel(10, 250).r, 250);  // mirrored
  GLuint name = image;
  glDeleteTextures(1, &name);
}

TEST_F(Hud, ColorQuadLeavesWhiteAndTexturing) {
  draw_color_quad(-1, -1, 1, 1, 0.0, 1.0, 0.0, 1.0);
  EXPECT_EQ(read_pixel(64, 64).g, 255);
  EXPECT_EQ(read_pixel(192, 192).g, 0);
  GLdouble colour[4];
  glGetDoublev(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0);
  EXPECT_EQ(colour[2], 1.0);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(Hud, ScoreHealthAndAmmunition) {
  p.score = 0;
  p.health = -5;
  p.current_gun = 0;
  p.guns[0].loaded = 9;
  p.guns[0].reserve = 120;
  draw_hud(0, textures, con, p);
  EXPECT_EQ(text_at(0.4, 0.95, 0.05, 7), "Score:0");
  EXPECT_EQ(text_at(-0.6, -0.9, 0.1, 2), "0 ");
  EXPECT_EQ(text_at(0.3, -0.9, 0.1, 2), " 9");
  EXPECT_EQ(text_at(0.6, -0.9, 0.1, 3), "120");

  reset_scene();
  glMatrixMode(GL_PROJECTION);
  gluOrtho2D(-1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  p.guns[0].loaded = 10;
  p.health = 73;
  draw_hud(0, textures, con, p);
  EXPECT_EQ(text_at(0.3, -0.9, 0.1, 2), "10");
  EXPECT_EQ(text_at(-0.6, -0.9, 0.1, 2), "73");
}

TEST_F(Hud, TheFistShowsNoAmmunition) {
  uint32_t icons = solid_texture(0, 255, 0);
  textures.slots[5] = icons;
  p.current_gun = 4;
  p.guns[4].loaded = 7;
  draw_hud(0, textures, con, p);
  EXPECT_EQ(text_at(0.3, -0.9, 0.1, 2), "  ");
  EXPECT_EQ(char_at(0.65, -0.85), ' ');
  EXPECT_EQ(read_pixel(static_cast<int>(1.55 * 128), static_cast<int>(0.15 * 128)).g, 0);    // no ammo icon
  EXPECT_EQ(read_pixel(static_cast<int>(0.25 * 128), static_cast<int>(0.15 * 128)).g, 255);  // health icon
  GLuint name = icons;
  glDeleteTextures(1, &name);
}

TEST_F(Hud, PickupMessageAndReadouts) {
  p.pickup_message_flag = 1;
  snprintf(p.pickup_message, sizeof p.pickup_message, "got it");
  p.debug_draw_flags = 16 | 4;
  p.vel[0] = -1.5;
  p.vel[2] = 2;
  draw_hud(42, textures, con, p);
  EXPECT_EQ(text_at(-1.0, 0.95, 0.05, 6), "got it");
  EXPECT_EQ(text_at(0.4, 0.6, 0.05, 7), "FPS: 42");
  EXPECT_EQ(text_at(-0.15, 0.55, 0.05, 23), "VEL: (1.50, 0.00, 2.00)");
  EXPECT_EQ(text_at(0.4, 0.5, 0.05, 4), "    ");  // no acceleration bits
}

TEST_F(Hud, APickupMessageFillingItsFieldStopsAtTheField) {
  p.pickup_message_flag = 1;
  memset(p.pickup_message, 'x', sizeof p.pickup_message);  // no terminator
  p.debug_draw_flags = 0;
  draw_hud(0, textures, con, p);
  EXPECT_EQ(text_at(-1.0, 0.95, 0.05, 2), "xx");
}

TEST_F(Hud, ConsoleInputAndHistory) {
  con.console_open = 1;
  snprintf(con.input_line, sizeof con.input_line, "vid_fov");
  snprintf(con.history[0], sizeof con.history[0], "newest");
  snprintf(con.history[1], sizeof con.history[1], "older");
  draw_hud(0, textures, con, p);
  EXPECT_EQ(text_at(-1.0, 0.0, 0.05, 7), "vid_fov");
  EXPECT_EQ(text_at(-1.0, 0.05, 0.05, 6), "newest");
  EXPECT_EQ(text_at(-1.0, 0.1, 0.05, 5), "older");
  rgba panel = read_pixel(200, 200);
  EXPECT_NEAR(panel.r, 128, 1);
}

TEST_F(Hud, FaceCellByHealth) {
  uint8_t px[7 * 4];
  for (int i = 0; i < 7; ++i) {
    px[i * 4] = 10 + 30 * i;
    px[i * 4 + 1] = 0;
    px[i * 4 + 2] = 0;
    px[i * 4 + 3] = 255;
  }
  uint32_t faces = make_texture(7, 1, px);
  textures.slots[4] = faces;
  const int healths[] = {101, 100, 50, 1, 0};
  for (int cell = 0; cell < 5; ++cell) {
    p.health = healths[cell];
    draw_face(textures, p);
    EXPECT_EQ(read_pixel(static_cast<int>(1.05 * 128), static_cast<int>(0.15 * 128)).r, 10 + 30 * cell);
  }
  GLuint name = faces;
  glDeleteTextures(1, &name);
}

}  // namespace
