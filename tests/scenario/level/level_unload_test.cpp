// Leaving a level: the release order, the counters and the next screen.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "base/entity.h"
#include "base/flags.h"
#include "render/screen_square.h"
#include "tests/scenario/level/level_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/bsp_node.h"

namespace {

class LevelUnload : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_gl_context());
    reset_program_flags();
  }
  void TearDown() override { reset_program_flags(); }
};

TEST_F(LevelUnload, DeathRestoresTheCountersAndShowsTheDeathScreen) {
  level_records r;
  r.the_player.kills = 4;
  r.the_player.score = 1000;
  r.the_player.mice = 1;
  capture_stdout_begin();
  ASSERT_TRUE(r.load(box_room_path()));
  capture_stdout_end();
  r.the_player.kills = 10;
  r.the_player.score = 5000;
  r.the_player.mice = 2;
  uint32_t light = r.bsp_root->poly->light_texture;
  entity* old_head = r.entity_list;
  capture_stdout_begin();
  r.unload();
  std::string log = capture_stdout_end();
  EXPECT_EQ(log, "pass1\npass2\npass3\npass4\npass5\n");
  EXPECT_FALSE(glIsTexture(light));
  EXPECT_EQ(r.the_player.kills, 4);
  EXPECT_EQ(r.the_player.score, 1000);
  EXPECT_EQ(r.the_player.mice, 1);
  EXPECT_EQ(r.menu.active, 1);
  EXPECT_EQ(r.menu.death_screen, 1);
  EXPECT_EQ(r.menu.level_complete_screen, 0);
  EXPECT_EQ(r.menu.key_ready, 1);
  EXPECT_EQ(r.menu.prompt_on, 1);
  EXPECT_EQ(r.menu.menu_music_started, 1);
  EXPECT_EQ(r.menu.splash_timer, 0.0);
  ASSERT_NE(r.entity_list, nullptr);
  EXPECT_NE(r.entity_list, old_head);
  EXPECT_EQ(r.entity_list->type, 0);
  EXPECT_EQ(r.entity_list->next, nullptr);
  EXPECT_EQ(r.bsp_root, nullptr);
  EXPECT_EQ(r.ai_node_list, nullptr);
  EXPECT_EQ(r.textures.world_textures, nullptr);
}

TEST_F(LevelUnload, CompletionCommitsTheCountersAndShowsLevelComplete) {
  for (int level : {3, 15}) {
    level_records r;
    r.the_player.kills = 4;
    r.the_player.level_number = level;
    capture_stdout_begin();
    ASSERT_TRUE(r.load(box_room_path()));
    capture_stdout_end();
    r.the_player.kills = 10;
    r.the_player.score = 700;
    level_done_flag = 1;
    capture_stdout_begin();
    r.unload();
    capture_stdout_end();
    EXPECT_EQ(level_done_flag, 0);
    EXPECT_EQ(r.the_player.kills, 10);
    EXPECT_EQ(r.the_player.kills_at_level_start, 10);
    EXPECT_EQ(r.the_player.score_at_level_start, 700);
    EXPECT_EQ(r.menu.level_complete_screen, 1);
    EXPECT_EQ(r.menu.death_screen, 0);
    EXPECT_EQ(r.menu.key_ready, 0);
    EXPECT_EQ(r.menu.splash_timer, 3.0);
    EXPECT_EQ(r.menu.prompt_on, level == 15 ? 0 : 1) << "level " << level;
    // Dying in the next level goes back to these committed values.
    capture_stdout_begin();
    ASSERT_TRUE(r.load(box_room_path()));
    capture_stdout_end();
    r.the_player.kills = 30;
    capture_stdout_begin();
    r.unload();
    capture_stdout_end();
    EXPECT_EQ(r.the_player.kills, 10);
  }
}

TEST_F(LevelUnload, UnloadedProjectionIsTheTwoDimensionalSquare) {
  level_records r;
  capture_stdout_begin();
  ASSERT_TRUE(r.load(box_room_path()));
  r.unload();
  capture_stdout_end();
  // The square, fitted at 4:3 in the middle of the viewport.
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  screen_extent e = screen_extent_for(viewport[2], viewport[3]);
  EXPECT_NEAR(e.half_width / e.half_height * viewport[3], viewport[2] * 0.75, 1e-9);
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_DOUBLE_EQ(m[0], 1.0 / e.half_width);
  EXPECT_DOUBLE_EQ(m[5], 1.0 / e.half_height);
  EXPECT_DOUBLE_EQ(m[10], -1.0);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

// Run under LeakSanitizer in the sanitizer build: a hundred levels come and
// go without leaving anything behind; GL names are given back too.
TEST_F(LevelUnload, HundredCyclesOfARealMap) {
  level_records r;
  for (int i = 0; i < 100; ++i) {
    capture_stdout_begin();
    bool ok = r.load(box_room_path());
    GLuint light = ok ? r.bsp_root->poly->light_texture : 0;
    r.unload();
    capture_stdout_end();
    ASSERT_TRUE(ok) << "cycle " << i;
    EXPECT_FALSE(glIsTexture(light)) << "cycle " << i;  // light maps go back to GL
  }
}

}  // namespace
