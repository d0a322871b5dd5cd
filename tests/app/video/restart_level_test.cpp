// A video restart in the middle of a level: the world looks the same
// afterwards, pixel for pixel, and the vsync variable reaches the new
// context.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/game_tick.h"
#include "app/level_load.h"
#include "app/level_unload.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "base/entity.h"
#include "base/flags.h"
#include "entities/entity_list_free.h"
#include "platform/window.h"
#include "render/render_frame.h"
#include "tests/support/capture_stdout.h"
#include "world/bsp_node.h"

namespace {

// A w x h image of one colour, with a darker cross so that texturing shows.
void write_image(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      bool cross = x == w / 2 || y == h / 2;
      p[0] = cross ? r / 2 : r;
      p[1] = cross ? g / 2 : g;
      p[2] = cross ? b / 2 : b;
      p[3] = a;
    }
  uint8_t* out = nullptr;
  size_t size = WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &out);
  FILE* file = fopen(path.c_str(), "wb");
  fwrite(out, 1, size, file);
  fclose(file);
  WebPFree(out);
}

// A room corner: a wall 5 units ahead of the start, and the floor in front
// of it. Both are light-mapped with grids that darken them unevenly.
const char* lit_corner_map =
    "EONL\n"
    "ENT: 1 0 0 5\n"
    "EOEL\n"
    "TEXTURE: 1 wall.webp\n"
    "TEXTURE: 2 floor.webp\n"
    "EOTC\n"
    "NODE 0 0 CONT 1 0 0 1\n"
    "VERT 4\n"
    "-8 -4 -5 0 0\n"
    "-8 8 -5 0 3\n"
    "8 8 -5 4 3\n"
    "8 -4 -5 4 0\n"
    "INDS 6 0 1 2 0 2 3\n"
    "LIGHT 4 4\n"
    "0 40 80 120\n"
    "200 10 160 30\n"
    "90 230 20 180\n"
    "250 60 140 5\n"
    "FRONT NODE 0 0 CONT 2 0 1 0\n"
    "VERT 4\n"
    "-8 0 -5 0 0\n"
    "-8 0 5 0 3\n"
    "8 0 5 3 3\n"
    "8 0 -5 3 0\n"
    "INDS 6 0 1 2 0 2 3\n"
    "LIGHT 3 3\n"
    "10 120 240\n"
    "200 90 20\n"
    "60 250 130\n"
    "FRONT NODE 1 0 END\n"
    "BACK NODE 1 1 END\n"
    "RET\n"
    "BACK NODE 1 1 END\n"
    "RET\n";

class RestartInALevel : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_init());
    reset_program_flags();
    dir_ = std::string(testing::TempDir()) + "restart_level_dir";
    ASSERT_EQ(system(("rm -rf " + dir_ + " && mkdir -p " + dir_ + "/data/textures/world " + dir_ +
                      "/data/textures/sky " + dir_ + "/data/maps")
                         .c_str()),
              0);
    std::string textures = dir_ + "/data/textures/";
    // The catalogue's images are see-through (the view model covers the
    // whole screen), so only the world and a black sky show.
    for (int i = 0; i < catalogue_image_count; ++i) {
      std::string path = dir_ + "/" + catalogue_image(i).path;
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      write_image(path, 4, 4, 0, 0, 0, 0);
    }
    write_image(textures + "world/wall.webp", 8, 8, 220, 60, 40);
    write_image(textures + "world/floor.webp", 8, 8, 40, 90, 230);
    write_image(textures + "tarvo.webp", 4, 4, 255, 0, 255);
    write_image(textures + "sky/sky.webp", 4, 4, 0, 0, 0);
    FILE* map = fopen((dir_ + "/data/maps/lit.t3bsp").c_str(), "w");
    fputs(lit_corner_map, map);
    fclose(map);
    ASSERT_NE(getcwd(here_, sizeof here_), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);

    gs_ = new game_state{};
    set_config_defaults(gs_->config);
    config_find(gs_->config, "vid_mode")->value.as_int = 1;
    apply_video_vars_into(gs_->config, gs_->video);
    capture_stdout_begin();
    open_game_window(*gs_);
    load_texture_catalogue(gs_->textures);
    set_gl_blend_state();
    capture_stdout_end();
    ASSERT_NE(gs_->window, nullptr);
    gs_->entity_list = entity_list_new_head();
  }
  void TearDown() override {
    if (gs_->bsp_root) {
      capture_stdout_begin();
      unload_level(gs_->the_player, gs_->bsp_root, gs_->textures, gs_->entity_list, gs_->ai_node_list,
                   gs_->menu);
      capture_stdout_end();
    }
    entity_list_free(gs_->entity_list);
    close_game_window(*gs_);
    delete gs_;
    reset_program_flags();
    ASSERT_EQ(chdir(here_), 0);
  }

  // Loads the map and stands the player on its start, looking at the wall.
  void enter_level() {
    capture_stdout_begin();
    bool loaded = load_level("data/maps/lit.t3bsp", gs_->entity_list, gs_->textures, gs_->bsp_root,
                             gs_->ai_node_list, gs_->the_player, gs_->config);
    capture_stdout_end();
    ASSERT_TRUE(loaded);
    player& p = gs_->the_player;
    p.pos[0] = 0.0;
    p.pos[1] = 0.0;
    p.pos[2] = 5.0;
    p.yaw = 0.0;
    p.pitch = 10.0;
  }

  std::vector<uint8_t> frame() {
    render_frame(frame_scene_of(*gs_));
    std::vector<uint8_t> pixels(static_cast<size_t>(gs_->video.width) * gs_->video.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, gs_->video.width, gs_->video.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  std::string dir_;
  char here_[4096];
  game_state* gs_ = nullptr;
};

// How many pixels of two frames differ.
int differing_pixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int count = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
  return count;
}

}  // namespace

TEST_F(RestartInALevel, TheWorldLooksTheSameAfterARestart) {
  // A texture made before the level (a level played and left, say) shifts
  // the names the level gets in this context; the new context numbers them
  // its own way.
  GLuint earlier = 0;
  glGenTextures(1, &earlier);
  glBindTexture(GL_TEXTURE_2D, earlier);
  const uint8_t texel[4] = {255, 255, 255, 255};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  enter_level();

  std::vector<uint8_t> before = frame();
  // The light maps are in the picture: the wall and floor show many shades.
  std::set<uint32_t> shades;
  for (size_t i = 0; i < before.size(); i += 4)
    shades.insert(static_cast<uint32_t>(before[i]) << 16 | before[i + 1] << 8 | before[i + 2]);
  EXPECT_GT(shades.size(), 50u);

  capture_stdout_begin();
  restart_video(*gs_);
  std::string log = capture_stdout_end();
  EXPECT_TRUE(lines_in_order(
      log, {"FULL RESTART OF ALL VIDEO BEGINS!\n", "FILE: \"wall.webp\"\n", "FILE: \"floor.webp\"\n",
            "EXited the function and NOW going to update the loop!\n"}))
      << log;
  std::vector<uint8_t> after = frame();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(differing_pixels(before, after), 0);

  // A second restart carries the level on again.
  capture_stdout_begin();
  restart_video(*gs_);
  capture_stdout_end();
  EXPECT_EQ(differing_pixels(before, frame()), 0);

  // Every light map is a texture of the current context.
  for (const bsp_node* node = gs_->bsp_root; node && node->poly; node = node->front)
    EXPECT_TRUE(glIsTexture(node->poly->light_texture));
}

TEST_F(RestartInALevel, VsyncFollowsTheVariableIntoEachNewContext) {
  // The window opened at start-up keeps the default: on.
  EXPECT_EQ(platform_swap_interval(), 1);
  config_find(gs_->config, "vid_vsync")->value.as_int = 0;
  capture_stdout_begin();
  restart_video(*gs_);
  std::string log = capture_stdout_end();
  EXPECT_EQ(gs_->video.vsync, 0);
  EXPECT_EQ(platform_swap_interval(), 0) << log;
  EXPECT_EQ(log.find("vsync:"), std::string::npos) << log;

  config_find(gs_->config, "vid_vsync")->value.as_int = 1;
  capture_stdout_begin();
  restart_video(*gs_);
  capture_stdout_end();
  EXPECT_EQ(platform_swap_interval(), 1);
}
