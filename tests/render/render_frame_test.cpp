// Whole frames through render_frame: sky, world, sprites, markers, HUD,
// the death fade and the projection carried from frame to frame.
#include "render/render_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/game_state.h"
#include "app/game_tick.h"
#include "base/entity.h"
#include "tests/render/gl_scene.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/ai_node.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"

namespace {

constexpr double eye_y = 2.25;  // standing player at the origin

class RenderFrame : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_gl_context());
    reset_scene();
    gs = new_test_game();
    red = solid_texture(255, 0, 0);
    blue = solid_texture(0, 0, 255);
    green = solid_texture(0, 255, 0);
    clear = solid_texture(255, 255, 255, 20);  // alpha below 0.1
    // A slot without an image draws a plain rectangle: the HUD's images
    // start out invisible so that only what a test gives shows.
    for (int slot = 2; slot <= 6; ++slot) gs->textures.slots[slot] = clear;
    for (int slot = 9; slot <= 109; ++slot) gs->textures.slots[slot] = clear;
    black = solid_texture(0, 0, 0);
    gs->textures.slots[7] = black;  // the sky
    set_var("hud_crosshair", 0);    // it would stand over the middle pixels
  }
  void TearDown() override {
    free_test_game(gs);
    GLuint names[5] = {red, blue, green, clear, black};
    glDeleteTextures(5, names);
  }
  // A red wall square around the line of sight, `distance` ahead.
  void wall_ahead(double half, double distance) {
    gs->bsp_root = square_node(0, eye_y, half, -distance, red);
  }
  entity* add_entity(int type, double x, double y, double z) {
    entity* tail = gs->entity_list;
    while (tail->next) tail = tail->next;
    entity* e = new entity{};
    e->type = type;
    e->pos[0] = x;
    e->pos[1] = y;
    e->pos[2] = z;
    e->prev = tail;
    tail->next = e;
    return e;
  }
  void set_var(const char* name, int value) { config_find(gs->config, name)->value.as_int = value; }
  game_state* gs = nullptr;
  uint32_t red = 0, blue = 0, green = 0, clear = 0, black = 0;
};

TEST_F(RenderFrame, TheWorldCoversTheSky) {
  gs->textures.slots[7] = blue;
  wall_ahead(2, 10);
  render_frame(frame_scene_of(*gs));
  rgba centre = read_pixel(128, 128);
  EXPECT_EQ(centre.r, 255);
  EXPECT_EQ(centre.b, 0);
  // Beside the wall the sky shows.
  rgba corner = read_pixel(10, 200);
  EXPECT_EQ(corner.b, 255);
  EXPECT_EQ(corner.r, 0);
}

TEST_F(RenderFrame, SpritesAreHiddenByWallsButHitMarkersShowThrough) {
  wall_ahead(3, 5);
  gs->textures.slots[110] = green;  // prop1
  add_entity(100, 0, eye_y, -10);   // behind the wall
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).g, 0);

  gs->textures.slots[0] = blue;  // blood
  gs->the_player.hit_markers[3].active = 1;
  gs->the_player.hit_markers[3].pos[1] = eye_y;
  gs->the_player.hit_markers[3].pos[2] = -10;
  render_frame(frame_scene_of(*gs));
  rgba marker = read_pixel(128, 128);
  EXPECT_EQ(marker.b, 255);
  EXPECT_EQ(marker.r, 0);
  // An inactive slot draws nothing, wherever it points.
  gs->the_player.hit_markers[3].active = 0;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 255);
}

TEST_F(RenderFrame, TexelsBelowTheAlphaThresholdLeaveTheSceneVisible) {
  wall_ahead(3, 10);
  gs->textures.slots[110] = clear;
  add_entity(100, 0, eye_y, -5);
  gs->the_player.current_gun = 0;
  gs->textures.slots[20] = clear;  // gun 0's idle image over the whole screen
  render_frame(frame_scene_of(*gs));
  rgba centre = read_pixel(128, 128);
  EXPECT_EQ(centre.r, 255);
  EXPECT_EQ(centre.g, 0);
  gs->textures.slots[20] = green;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).g, 255);
}

TEST_F(RenderFrame, EntitiesDrawFromTheLastEntryFirst) {
  uint32_t half_red = solid_texture(255, 0, 0, 128);
  gs->textures.slots[110] = half_red;  // prop1, near
  gs->textures.slots[111] = green;     // prop2, far
  entity* near_one = add_entity(100, 0, eye_y, -5);
  entity* far_one = add_entity(101, 0, eye_y, -10);
  render_frame(frame_scene_of(*gs));
  // The far one, last in the list, went first: the near one blends over it.
  rgba both = read_pixel(128, 128);
  EXPECT_NEAR(both.r, 128, 2);
  EXPECT_NEAR(both.g, 127, 2);

  // Swapped in the list, the near one goes first and hides the far one
  // from the depth test, though it lets the black behind show.
  gs->entity_list->next = far_one;
  far_one->prev = gs->entity_list;
  far_one->next = near_one;
  near_one->prev = far_one;
  near_one->next = nullptr;
  render_frame(frame_scene_of(*gs));
  rgba alone = read_pixel(128, 128);
  EXPECT_NEAR(alone.r, 128, 2);
  EXPECT_EQ(alone.g, 0);
  GLuint name = half_red;
  glDeleteTextures(1, &name);
}

TEST_F(RenderFrame, EnemiesDarkenWithDistanceUnlessFiring) {
  uint32_t white = solid_texture(255, 255, 255);
  gs->textures.slots[121] = white;  // ent_mob2
  entity* e = add_entity(201, 0, 0, -50);
  e->frame = 1;
  e->state = 1;
  render_frame(frame_scene_of(*gs));
  // The sheet stands 3.5 high on its feet, 50 units away: just under the
  // centre of the screen.
  EXPECT_NEAR(read_pixel(128, 124).r, 127, 2);
  e->state = 10;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 124).r, 255);
  GLuint name = white;
  glDeleteTextures(1, &name);
}

TEST_F(RenderFrame, PickupsKeepTheirColourAndProjectilesFade) {
  uint32_t white = solid_texture(255, 255, 255);
  gs->textures.slots[151] = white;  // morphine
  add_entity(410, 0, eye_y, -80);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 255);
  gs->entity_list->next->type = 300;  // proj1, same place
  gs->textures.slots[140] = white;
  render_frame(frame_scene_of(*gs));
  EXPECT_NEAR(read_pixel(128, 128).r, 51, 2);
  GLuint name = white;
  glDeleteTextures(1, &name);
}

TEST_F(RenderFrame, FirstFrameAfterAScreenIsInPerspective) {
  // A menu leaves the 2-D projection.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  EXPECT_FALSE(game_projection_in_force());
  wall_ahead(2, 10);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 255);
  EXPECT_TRUE(game_projection_in_force());
}

TEST_F(RenderFrame, ZoomNarrowsTheViewFromTheNextFrame) {
  // Half size 2.2 at 10 units covers 38% of the half-height at 60 degrees
  // and 70% at 35; the probe sits at 55%.
  wall_ahead(2.2, 10);
  render_frame(frame_scene_of(*gs));
  int probe_y = 128 + 70;
  EXPECT_EQ(read_pixel(128, probe_y).r, 0);
  gs->the_player.zoom_flag = 1;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, probe_y).r, 0);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, probe_y).r, 255);
}

TEST_F(RenderFrame, DeathFadeAndTheSinkingEye) {
  gs->the_player.health = 0;
  gs->the_player.death_timer = 3.0;
  render_frame(frame_scene_of(*gs));
  rgba fade = read_pixel(128, 128);
  EXPECT_NEAR(fade.r, 127, 2);
  EXPECT_EQ(fade.g, 0);
  gs->the_player.death_timer = 7.0;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(10, 10).r, 255);
}

// The crosshair: white arms with a dark edge around the middle, raised to
// where the shots strike while crouched (they leave from the standing eye),
// gone while zoomed or dead. A hurt tints the view red for a moment, more
// for more damage; switched off, neither shows.
TEST_F(RenderFrame, TheCrosshairAndTheFlashOfAHurt) {
  set_var("hud_crosshair", 1);
  gs->video.tick_step = 1.0 / 60.0;
  player& p = gs->the_player;
  wall_ahead(20, 10);
  gs->bsp_root->back = new bsp_node{};  // solid behind the wall, where the shots stop
  gs->bsp_root->back->is_leaf = 1;
  gs->bsp_root->back->contents = 1;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(134, 128).g, 255) << "an arm";
  EXPECT_LT(read_pixel(134, 130).g, 60) << "its dark edge";
  EXPECT_EQ(read_pixel(128, 128).r, 255) << "the gap shows the wall";
  p.crouch = 1;  // 1.125 above the eye over 10 units, with a 60 degree view
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(134, 128).g, 0);
  EXPECT_EQ(read_pixel(134, 153).g, 255);
  p.crouch = 0;
  p.zoom_flag = 1;
  render_frame(frame_scene_of(*gs));
  p.zoom_flag = 0;
  EXPECT_EQ(read_pixel(134, 128).g, 0) << "hidden while zoomed";

  bsp_free(gs->bsp_root);
  gs->bsp_root = square_node(0, eye_y, 20, -10, black);
  auto redness = [&](int health) {
    p.health = health;
    render_frame(frame_scene_of(*gs));
    return read_pixel(40, 40).r;
  };
  EXPECT_EQ(redness(100), 0);
  const int small = redness(90);
  render_frame(frame_scene_of(*gs));
  EXPECT_LT(read_pixel(40, 40).r, small) << "fading";
  for (int i = 0; i < 20; ++i) render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(40, 40).r, 0) << "gone after 0.3 s";
  EXPECT_GT(redness(40), small + 20) << "a heavier hurt flashes more";
  for (int i = 0; i < 20; ++i) render_frame(frame_scene_of(*gs));
  set_var("hud_hurt_flash", 0);
  EXPECT_EQ(redness(10), 0);
}

TEST_F(RenderFrame, TheConsoleComesFirstAndTheWeaponOverIt) {
  gs->the_console.console_open = 1;
  render_frame(frame_scene_of(*gs));
  rgba panel = read_pixel(128, 200);
  EXPECT_NEAR(panel.r, 128, 1);
  EXPECT_EQ(panel.r, panel.g);
  EXPECT_EQ(read_pixel(128, 60).r, 0);  // the lower half is the scene
  gs->the_player.current_gun = 0;
  gs->textures.slots[20] = green;
  render_frame(frame_scene_of(*gs));
  rgba over = read_pixel(128, 200);
  EXPECT_EQ(over.g, 255);
  EXPECT_EQ(over.r, 0);
}

TEST_F(RenderFrame, TheScopeReplacesTheWeaponWhileZoomed) {
  gs->the_player.current_gun = 0;
  gs->textures.slots[20] = green;
  gs->textures.slots[6] = blue;
  gs->the_player.zoom_flag = 1;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).b, 255);
  EXPECT_EQ(read_pixel(20, 20).g, 0);  // outside the scope square
}

TEST_F(RenderFrame, GlStateOnLeaving) {
  wall_ahead(2, 10);
  set_var("vid_vertex_light", 1);
  render_frame(frame_scene_of(*gs));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLdouble colour[4];
  glGetDoublev(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0);
  EXPECT_EQ(colour[1], 1.0);
  EXPECT_TRUE(game_projection_in_force());
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[0], 1.0);
  EXPECT_EQ(m[12], 0.0);
}

TEST_F(RenderFrame, VertexLightingReachesTheWorldOnTheNextFrame) {
  uint32_t white = solid_texture(255, 255, 255);
  gs->bsp_root = square_node(0, eye_y, 20, -49.5, white);  // about 50 away near the centre
  uint8_t dark = 255;
  give_light_map(gs->bsp_root, 2, 2, dark);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 0);
  set_var("vid_vertex_light", 1);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 0);  // still light-mapped
  EXPECT_TRUE(gs->renderer.vertex_light_flag);
  render_frame(frame_scene_of(*gs));
  // The corners are about 57 units away: grey near 0.53.
  int grey = read_pixel(128, 128).r;
  EXPECT_GT(grey, 110);
  EXPECT_LT(grey, 160);
  GLuint name = white;
  glDeleteTextures(1, &name);
}

TEST_F(RenderFrame, PlayerAimMarkerAndItsLogLine) {
  set_var("dbg_draw_aimvec", 1);
  capture_stdout_begin();
  render_frame(frame_scene_of(*gs));
  render_frame(frame_scene_of(*gs));
  std::string out = capture_stdout_end();
  EXPECT_EQ(count_occurrences(out, "-3.141593 0.000000\n"), 2);
  // Yaw 0 and pitch 0: 0.5 ahead of the eye, filling the middle in blue.
  rgba aim = read_pixel(128, 128);
  EXPECT_EQ(aim.b, 255);
  EXPECT_EQ(aim.r, 0);
  set_var("dbg_draw_aimvec", 0);
  capture_stdout_begin();
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(capture_stdout_end(), "");
  EXPECT_EQ(read_pixel(128, 128).b, 0);
}

TEST_F(RenderFrame, AllFifteenHitMarkersAreDrawn) {
  gs->textures.slots[0] = blue;
  // Five columns by three rows of markers 10 units ahead.
  for (int i = 0; i < 15; ++i) {
    hit_marker& m = gs->the_player.hit_markers[i];
    m.active = 1;
    m.pos[0] = (i % 5 - 2) * 1.5;
    m.pos[1] = eye_y + (i / 5 - 1) * 1.5;
    m.pos[2] = -10;
  }
  render_frame(frame_scene_of(*gs));
  for (int i = 0; i < 15; ++i) {
    const hit_marker& m = gs->the_player.hit_markers[i];
    int x = static_cast<int>(128 + m.pos[0] / (10 * 0.57735026919) * 128);
    int y = static_cast<int>(128 + (m.pos[1] - eye_y) / (10 * 0.57735026919) * 128);
    EXPECT_EQ(read_pixel(x, y).b, 255) << "marker " << i;
  }
}

TEST_F(RenderFrame, AnyNonZeroValueSwitchesAnOverlayOn) {
  ai_node a{0, eye_y - 3, -10, 1, 1, nullptr, nullptr, nullptr};
  ai_node b{0, eye_y + 3, -10, 2, 0, nullptr, nullptr, nullptr};
  ai_node* links[1] = {&b};
  a.links = links;
  a.next = &b;
  gs->ai_node_list = &a;
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 0);
  set_var("dbg_draw_aigraph", 2);
  render_frame(frame_scene_of(*gs));
  EXPECT_EQ(read_pixel(128, 128).r, 255);  // the link's middle test point
  set_var("dbg_draw_aigraph", 0);
  gs->ai_node_list = nullptr;

  entity* e = add_entity(201, 0, eye_y - 3, -10);
  e->state = 10;
  e->aim_end[1] = eye_y + 3;
  e->aim_end[2] = -10;
  gs->textures.slots[121] = clear;  // only the ribbon shows
  set_var("dbg_draw_e_aimvec", -1);
  render_frame(frame_scene_of(*gs));
  bool lit = false;
  for (int x = 120; x <= 136; ++x) lit = lit || read_pixel(x, 100).g > 200;
  EXPECT_TRUE(lit);
}

}  // namespace
