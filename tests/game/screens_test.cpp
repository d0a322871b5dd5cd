// Every page and screen of the menus drawn with the real catalogue: each
// block of text and pictures lands in its place, nothing is drawn anywhere
// else, and the pictures are kept (menu_NAME.ppm in the build folder) for a
// look.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "audio/sound_table.h"
#include "config/key_state.h"
#include "game/menu_frame.h"
#include "render/draw_2d.h"
#include "tests/game/menu_rig.h"
#include "tests/render/screens/screen_scene.h"

namespace {

// A rectangle of the screen square, (x0, y0) to (x1, y1), that is to hold
// one block of a screen's texts or pictures.
struct block {
  double x0, y0, x1, y1;
};

struct pixel_box {
  int x0, y0, x1, y1;
};

// The pixels of `b`, grown by two for the edges of filtered glyphs.
pixel_box pixels_of(const block& b, const screenshot& shot) {
  auto px = [&](double x) { return static_cast<int>((x + 1) / 2 * shot.width); };
  auto py = [&](double y) { return static_cast<int>((y + 1) / 2 * shot.height); };
  return pixel_box{px(b.x0) - 2, py(b.y0) - 2, px(b.x1) + 2, py(b.y1) + 2};
}

bool differs(const screenshot& a, const screenshot& b, int x, int y) {
  size_t i = (static_cast<size_t>(y) * a.width + x) * 3;
  return abs(a.rgb[i] - b.rgb[i]) + abs(a.rgb[i + 1] - b.rgb[i + 1]) + abs(a.rgb[i + 2] - b.rgb[i + 2]) > 24;
}

class MenuScreens : public testing::Test {
 protected:
  void SetUp() override {
    gs = new game_state{};
    if (!open_screen_game(*gs)) GTEST_SKIP() << "no generated data/ with textures";
    set_config_defaults(gs->config);
    player_init(gs->the_player, gs->config);
  }
  void TearDown() override { delete gs; }

  // The background alone: an image slot, or plain red for the death screen.
  screenshot background(int slot) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (slot < 0)
      draw_color_quad(-1.0, -1.0, 2.0, 2.0, 1.0, 0.0, 0.0, 1.0);
    else
      draw_image_quad(gs->textures.slots[slot], -1.0, -1.0, 2.0, 2.0, 0.0, 1.0, 0.0, 1.0);
    return grab_screenshot();
  }

  // One menu pass on `menu` with no key down, kept as menu_NAME.ppm, then
  // compared with the bare background: every block shows something and no
  // pixel outside the blocks changed.
  void check(const char* name, menu_state menu, int slot, const std::vector<block>& blocks) {
    menu.active = 1;
    menu.menu_music_started = 1;
    if (menu.splash_timer == 0.0) menu.splash_timer = 3.0;
    key_state keys{};
    sound_table sounds{};
    uint32_t music = 0;
    release_keys();
    EXPECT_EQ(menu_frame(menu, gs->textures, sounds, keys, 1.0 / 60.0, music, gs->the_player, gs->config,
                         held_key_down),
              menu_go_on);
    screenshot shot = grab_screenshot();
    const char* build = getenv("TARVO_BUILD_DIR");
    write_ppm(shot, (std::string(build ? build : ".") + "/menu_" + name + ".ppm").c_str());
    screenshot bare = background(slot);

    std::vector<int> drawn(blocks.size(), 0);
    int stray = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        if (!differs(shot, bare, x, y)) continue;
        bool placed = false;
        for (size_t k = 0; k < blocks.size(); ++k) {
          pixel_box b = pixels_of(blocks[k], shot);
          if (x < b.x0 || x >= b.x1 || y < b.y0 || y >= b.y1) continue;
          placed = true;
          ++drawn[k];
        }
        if (!placed && stray++ == 0)
          ADD_FAILURE() << name << ": drawn outside its blocks at " << x << ", " << y;
      }
    }
    for (size_t k = 0; k < blocks.size(); ++k)
      EXPECT_GT(drawn[k], 20) << name << ": block " << k << " is empty";
  }

  menu_state screen(int32_t page, int32_t cursor) {
    menu_state menu{};
    menu.page = page;
    menu.cursor = cursor;
    menu.prompt_on = 1;
    return menu;
  }

  game_state* gs = nullptr;
};

// The title pages: the rows at x -0.8 from y -0.2 down, the cursor left of
// its row; the how-to-play and credits pages with their headings above.
TEST_F(MenuScreens, TitlePages) {
  check("main", screen(0, 1), tex_title, {{-0.9, -0.2, -0.8, -0.1}, {-0.8, -0.7, 0.3, -0.1}});
  config_find(gs->config, "vid_fullscreen")->value.as_int = 1;
  config_find(gs->config, "vid_mode")->value.as_int = 16;  // the longest line, "Display: 1920x1080"
  check("options", screen(2, 5), tex_title, {{-0.9, -0.6, -0.8, -0.5}, {-0.8, -0.6, 1.0, -0.1}});
  check("how_to_play", screen(3, 5), tex_title,
        {{-0.9, 0.3, 0.9, 0.45}, {-0.9, -0.4, 1.0, 0.2}, {-0.9, -0.6, -0.4, -0.5}});
  check(
      "credits", screen(4, 7), tex_title,
      {{-0.9, 0.3, 0.15, 0.45}, {-0.9, -0.4, 0.8, 0.22}, {-0.9, -0.6, 1.0, -0.5}, {-0.9, -0.8, -0.4, -0.7}});
}

TEST_F(MenuScreens, SplashStoryAndDeath) {
  menu_state splash = screen(0, 1);
  splash.splash_timer = 0.5;
  splash.prompt_on = 0;
  check("splash", splash, tex_logo, {});
  menu_state story = screen(0, 0);
  story.story_screen = 1;
  check("story", story, tex_title2,
        {{-1.0, 0.8, 0.92, 0.92}, {-0.9, -0.6, 1.02, 0.68}, {-0.9, -0.8, 0.75, -0.65}});
  menu_state death = screen(0, 0);
  death.death_screen = 1;
  gs->the_player.level_number = 3;
  check("death", death, -1, {{-0.6, 0.8, 0.6, 0.95}, {-0.9, -0.1, 0.86, 0.08}, {-0.85, -0.8, 0.8, -0.65}});
}

// Level complete in red: heading, the level's name, score and kills, one
// picture per mouse right of "Mice:" and the prompt; without mice neither
// the line nor pictures, and the secret level has no name.
TEST_F(MenuScreens, LevelComplete) {
  menu_state complete = screen(0, 0);
  complete.level_complete_screen = 1;
  player& p = gs->the_player;
  p.level_number = 9;  // "Control Hub"
  p.score = 12345;
  p.kills = 67;
  p.mice = 3;
  check("level_complete", complete, tex_title2,
        {{-0.9, 0.8, 0.9, 0.92},
         {-0.7, 0.7, 0.4, 0.8},
         {-0.8, -0.1, 0.4, 0.2},
         {-0.2, -0.2, 0.4, 0.0},
         {-0.85, -0.8, 0.8, -0.65}});
  p.mice = 0;
  p.level_number = 16;
  complete.prompt_on = 0;
  check("level_complete_secret", complete, tex_title2, {{-0.9, 0.8, 0.9, 0.92}, {-0.8, 0.0, 0.4, 0.2}});
}

// The ending, by the number of mice; no prompt whatever the blink.
TEST_F(MenuScreens, EndingByMice) {
  menu_state ending = screen(0, 0);
  ending.level_complete_screen = 1;
  player& p = gs->the_player;
  p.level_number = 15;
  p.score = 40000;
  p.kills = 321;
  const block story = {-1.0, -0.4, 1.0, 0.92};  // heading, thanks, score and kills
  p.mice = 0;
  check("ending_no_mice", ending, tex_title2, {story, {-1.0, -0.7, 0.9, -0.5}, {-1.0, -1.0, 0.8, -0.9}});
  p.mice = 4;
  check("ending_four_mice", ending, tex_title2,
        {story, {-0.8, -0.5, -0.3, -0.4}, {-0.2, -0.6, 0.6, -0.4}, {-1.0, -1.0, 1.0, -0.7}});
  p.mice = 7;  // six pictures fit; the seventh would start at the right edge
  check("ending_all_mice", ending, tex_title2,
        {story,
         {-0.8, -0.5, -0.3, -0.4},
         {-0.2, -0.6, 1.0, -0.4},
         {-1.0, -0.7, 0.4, -0.65},
         {-1.0, -1.0, 0.8, -0.7}});
}

}  // namespace
