// Opening the game window and rebuilding it with restart_video.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_state.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "base/flags.h"
#include "platform/window.h"
#include "tests/support/capture_stdout.h"
#include "world/world_texture.h"

namespace {

void write_webp(const std::string& path) {
  uint8_t rgba[4 * 4 * 4];
  for (int i = 0; i < 64; ++i) rgba[i] = static_cast<uint8_t>(i * 4);
  uint8_t* out = nullptr;
  size_t size = WebPEncodeLosslessRGBA(rgba, 4, 4, 16, &out);
  FILE* file = fopen(path.c_str(), "wb");
  fwrite(out, 1, size, file);
  fclose(file);
  WebPFree(out);
}

// A game directory with one catalogue image and two world textures, made
// current for the test.
class RestartVideoTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_init());
    reset_program_flags();
    dir_ = std::string(testing::TempDir()) + "restart_video_dir";
    ASSERT_EQ(system(("mkdir -p " + dir_ + "/data/textures/world").c_str()), 0);
    write_webp(dir_ + "/data/textures/blood.webp");
    write_webp(dir_ + "/data/textures/world/wall.webp");
    write_webp(dir_ + "/data/textures/world/floor.webp");
    ASSERT_NE(getcwd(here_, sizeof here_), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    gs_ = new game_state{};
    set_config_defaults(gs_->config);
    config_find(gs_->config, "vid_mode")->value.as_int = 1;
    apply_video_vars_into(gs_->config, gs_->video);
  }
  void TearDown() override {
    close_game_window(*gs_);
    delete gs_;
    reset_program_flags();
    ASSERT_EQ(chdir(here_), 0);
  }
  std::string dir_;
  char here_[4096];
  game_state* gs_ = nullptr;
};

}  // namespace

TEST_F(RestartVideoTest, RebuildsWindowCatalogueAndWorldTextures) {
  capture_stdout_begin();
  open_game_window(*gs_);
  load_texture_catalogue(gs_->textures);
  capture_stdout_end();
  ASSERT_NE(gs_->window, nullptr);
  int width = 0, height = 0;
  platform_window_size(gs_->window, &width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  ASSERT_NE(gs_->textures.slots[0], 0u);

  // Two world textures, the table holding the first.
  world_texture wall{1, "wall.webp", 0, nullptr, nullptr};
  world_texture floor{2, "floor.webp", 0, &wall, nullptr};
  wall.next = &floor;
  gs_->textures.world_textures = &wall;

  config_find(gs_->config, "vid_mode")->value.as_int = 2;
  capture_stdout_begin();
  restart_video(*gs_);
  std::string log = capture_stdout_end();

  EXPECT_TRUE(
      lines_in_order(log, {"FULL RESTART OF ALL VIDEO BEGINS!\n\n", "FILE: \"data/textures/blood.webp\"\n",
                           "sucess!\n", "FILE: \"wall.webp\"\n", "sucess!\n", "FILE: \"floor.webp\"\n",
                           "sucess!\n", "EXited the function and NOW going to update the loop!\n\n", "pw "}))
      << log;
  EXPECT_EQ(log.find("Resetting vid fs"), std::string::npos);  // windowed to windowed
  platform_window_size(gs_->window, &width, &height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_NE(gs_->textures.slots[0], 0u);
  EXPECT_NE(wall.texture, 0u);
  EXPECT_NE(floor.texture, 0u);
  EXPECT_TRUE(glIsTexture(wall.texture));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(std::string(cwd), dir_);  // back where it started
}

TEST_F(RestartVideoTest, LeavingFullscreenRestoresTheDesktopSize) {
  gs_->video.desktop_width = 1280;
  gs_->video.desktop_height = 1024;
  config_find(gs_->config, "vid_fullscreen")->value.as_int = 1;
  apply_video_vars_into(gs_->config, gs_->video);
  capture_stdout_begin();
  restart_video(*gs_);
  std::string log = capture_stdout_end();
  EXPECT_EQ(fullscreen_active_flag, 1);
  EXPECT_EQ(log.find("Resetting vid fs"), std::string::npos);

  config_find(gs_->config, "vid_fullscreen")->value.as_int = 0;
  capture_stdout_begin();
  restart_video(*gs_);
  log = capture_stdout_end();
  EXPECT_EQ(fullscreen_active_flag, 0);
  EXPECT_TRUE(lines_in_order(
      log, {"FULL RESTART OF ALL VIDEO BEGINS!\n", "Resetting vid fs to 1280 1024\n", "pw 1280 ph 1024\n"}))
      << log;
}
