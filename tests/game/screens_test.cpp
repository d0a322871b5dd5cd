// Every page and screen of the menus drawn with the real catalogue at
// 1024x576, 1024x768 and 1920x1080, kept as menu_NAME_WxH.ppm in the build
// folder for a look. Then drawn again over a black picture, the text alone
// is judged: each block of text and pictures lands in its place in the 4:3
// square in the middle, nothing is written anywhere else, no text touches
// the window's edge, and its rows stand apart (as many bands of text, one
// above the other with clear pixels between, as the screen has rows).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "audio/sound_table.h"
#include "config/key_state.h"
#include "game/menu_frame.h"
#include "game/menu_keys.h"
#include "game/menu_options.h"
#include "render/draw_2d.h"
#include "render/screen_square.h"
#include "tests/game/menu_rig.h"
#include "tests/render/screens/screen_scene.h"

namespace {

// A rectangle of the screen square, (x0, y0) to (x1, y1), that is to hold
// one block of a screen's texts or pictures (whose pixels are not text).
struct block {
  double x0, y0, x1, y1;
  bool pictures = false;
};

struct pixel_box {
  int x0, y0, x1, y1;
};

struct window_size {
  int width, height;
};
constexpr window_size window_sizes[] = {{1024, 576}, {1024, 768}, {1920, 1080}};

// The pixels of `b` in a picture with the square fitted at 4:3 in its
// middle, grown by two for the edges of filtered glyphs.
pixel_box pixels_of(const block& b, const screenshot& shot) {
  screen_extent e = screen_extent_for(shot.width, shot.height);
  auto px = [&](double x) { return static_cast<int>((x + e.half_width) / (2 * e.half_width) * shot.width); };
  auto py = [&](double y) {
    return static_cast<int>((y + e.half_height) / (2 * e.half_height) * shot.height);
  };
  return pixel_box{px(b.x0) - 2, py(b.y0) - 2, px(b.x1) + 2, py(b.y1) + 2};
}

// Text and pictures: what differs from the bare background and is bright
// (the glyphs' dark rims and the pages' dark panels are not counted).
bool ink(const screenshot& a, const screenshot& b, int x, int y) {
  size_t i = (static_cast<size_t>(y) * a.width + x) * 3;
  int d = abs(a.rgb[i] - b.rgb[i]) + abs(a.rgb[i + 1] - b.rgb[i + 1]) + abs(a.rgb[i + 2] - b.rgb[i + 2]);
  return d > 24 && std::max({a.rgb[i], a.rgb[i + 1], a.rgb[i + 2]}) > 100;
}

class MenuScreens : public testing::Test {
 protected:
  void SetUp() override {
    gs = new game_state{};
    if (!open_screen_game(*gs)) GTEST_SKIP() << "no generated data/ with textures";
    set_config_defaults(gs->config);
    player_init(gs->the_player, gs->config);
    pictures = gs->textures;
    const unsigned char black[4] = {0, 0, 0, 255};
    glGenTextures(1, &black_texture);
    glBindTexture(GL_TEXTURE_2D, black_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, black);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    for (int slot : {tex_logo, tex_title, tex_title2}) gs->textures.slots[slot] = black_texture;
  }
  void TearDown() override {
    end_picture();
    if (black_texture) glDeleteTextures(1, &black_texture);
    delete gs;
  }

  // The background alone, over the whole picture: an image slot, or plain
  // red for the death screen.
  screenshot background(int slot) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    screen_extent e = set_screen_projection();
    if (slot < 0)
      draw_color_quad(-e.half_width, -e.half_height, 2 * e.half_width, 2 * e.half_height, 1.0, 0.0, 0.0, 1.0);
    else
      draw_image_cover(gs->textures.slots[slot], -e.half_width, -e.half_height, 2 * e.half_width,
                       2 * e.half_height);
    return grab_picture();
  }

  screenshot pass(menu_state menu) {
    key_state keys{};
    sound_table sounds{};
    uint32_t music = 0;
    release_keys();
    EXPECT_EQ(menu_frame(menu, gs->textures, sounds, keys, 1.0 / 60.0, music, gs->the_player, gs->config,
                         held_key_down),
              menu_go_on);
    return grab_picture();
  }

  // The screen `menu` at each size: kept with its real pictures as
  // menu_NAME_WxH.ppm, then judged over black.
  void check(const char* name, menu_state menu, int slot, const std::vector<block>& blocks, int rows) {
    menu.active = 1;
    menu.menu_music_started = 1;
    if (menu.splash_timer == 0.0) menu.splash_timer = 3.0;
    for (const window_size& size : window_sizes) {
      ASSERT_TRUE(begin_picture(size.width, size.height));
      texture_table black = gs->textures;
      gs->textures = pictures;
      screenshot look = pass(menu);
      gs->textures = black;
      const char* build = getenv("TARVO_BUILD_DIR");
      std::string path = std::string(build ? build : ".") + "/menu_" + name + "_" +
                         std::to_string(size.width) + "x" + std::to_string(size.height) + ".ppm";
      write_ppm(look, path.c_str());
      judge(std::string(name) + " at " + std::to_string(size.width) + "x" + std::to_string(size.height),
            pass(menu), background(slot), blocks, rows);
      end_picture();
    }
  }

  void judge(const std::string& name, const screenshot& shot, const screenshot& bare,
             const std::vector<block>& blocks, int rows) {
    std::vector<int> drawn(blocks.size(), 0);
    std::vector<int> row_ink(shot.height, 0);
    int stray = 0, edge = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        if (!ink(shot, bare, x, y)) continue;
        if ((x == 0 || y == 0 || x == shot.width - 1 || y == shot.height - 1) && edge++ == 0)
          ADD_FAILURE() << name << ": text touches the window's edge at " << x << ", " << y;
        bool placed = false, text = true;
        for (size_t k = 0; k < blocks.size(); ++k) {
          pixel_box b = pixels_of(blocks[k], shot);
          if (x < b.x0 || x >= b.x1 || y < b.y0 || y >= b.y1) continue;
          placed = true;
          text = text && !blocks[k].pictures;
          ++drawn[k];
        }
        if (text) ++row_ink[y];
        if (!placed && stray++ == 0)
          ADD_FAILURE() << name << ": drawn outside its blocks at " << x << ", " << y;
      }
    }
    for (size_t k = 0; k < blocks.size(); ++k)
      EXPECT_GT(drawn[k], 20) << name << ": block " << k << " is empty";
    int bands = 0;
    for (int y = 0; y < shot.height; ++y) bands += row_ink[y] > 0 && (y == 0 || row_ink[y - 1] == 0);
    EXPECT_EQ(bands, rows) << name << ": rows of text that touch run together";
  }

  menu_state screen(int32_t page, int32_t cursor) {
    menu_state menu{};
    menu.page = page;
    menu.cursor = cursor;
    menu.prompt_on = 1;
    return menu;
  }

  game_state* gs = nullptr;
  texture_table pictures{};
  uint32_t black_texture = 0;
};

// The title pages: the rows at x -0.8 from y -0.2 down, the cursor left of
// its row; the how-to-play and credits pages with their headings above.
TEST_F(MenuScreens, TitlePages) {
  check("main", screen(page_main, 1), tex_title, {{-0.9, -0.2, -0.8, -0.1}, {-0.8, -0.7, 0.3, -0.1}}, 6);
  config_find(gs->config, "vid_fullscreen")->value.as_int = 1;
  config_find(gs->config, "vid_mode")->value.as_int = 16;  // the longest line, "Display: 1920x1080"
  const double back_y = -0.1 - 0.1 * option_row_count;
  check("options", screen(page_options, option_row_count), tex_title,
        {{-0.9, back_y, -0.8, back_y + 0.1}, {-0.8, back_y, 1.0, -0.1}}, option_row_count);
  check("how_to_play", screen(page_how_to_play, 5), tex_title,
        {{-0.9, 0.3, 0.9, 0.45}, {-0.9, -0.4, 1.0, 0.2}, {-0.9, -0.6, -0.4, -0.5}, {-0.9, -0.96, 1.0, -0.65}},
        12);
  check("credits", screen(page_credits, 7), tex_title,
        {{-0.9, 0.3, 0.15, 0.45}, {-0.9, -0.4, 0.8, 0.22}, {-0.9, -0.6, 1.0, -0.5}, {-0.9, -0.8, -0.4, -0.7}},
        8);
  check("controls", screen(page_controls, 1), tex_title,
        {{-0.9, 0.78, 0.1, 0.9}, {-0.9, -0.75, 1.0, 0.73}, {-0.9, -0.94, 1.0, -0.81}}, 21);
}

TEST_F(MenuScreens, SplashStoryAndDeath) {
  menu_state splash = screen(page_main, 1);
  splash.splash_timer = 0.5;
  splash.prompt_on = 0;
  check("splash", splash, tex_logo, {}, 0);
  menu_state story = screen(page_main, 0);
  story.story_screen = 1;
  // The longest lines are drawn smaller to end at the square's right edge.
  check("story", story, tex_title2,
        {{-1.0, 0.8, 0.92, 0.92}, {-0.9, -0.6, 1.0, 0.68}, {-0.9, -0.8, 0.75, -0.65}}, 18);
  menu_state death = screen(page_main, 0);
  death.death_screen = 1;
  gs->the_player.level_number = 3;
  check("death", death, -1, {{-0.6, 0.8, 0.6, 0.95}, {-0.9, -0.1, 0.86, 0.08}, {-0.85, -0.8, 0.8, -0.65}}, 4);
}

// Level complete in red: heading, the level's name, score and kills, one
// picture per mouse right of "Mice:" and the prompt; without mice neither
// the line nor pictures, and the secret level has no name.
TEST_F(MenuScreens, LevelComplete) {
  menu_state complete = screen(page_main, 0);
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
         {-0.8, 0.2, 0.5, 0.3},  // "Skill: Normal"
         {-0.2, -0.2, 0.4, 0.0, true},
         {-0.85, -0.8, 0.8, -0.65}},
        7);
  p.mice = 0;
  p.level_number = 16;
  complete.prompt_on = 0;
  check("level_complete_secret", complete, tex_title2, {{-0.9, 0.8, 0.9, 0.92}, {-0.8, 0.0, 0.5, 0.3}}, 4);
}

// The ending, by the number of mice; no prompt whatever the blink.
TEST_F(MenuScreens, EndingByMice) {
  menu_state ending = screen(page_main, 0);
  ending.level_complete_screen = 1;
  player& p = gs->the_player;
  p.level_number = 15;
  p.score = 40000;
  p.kills = 321;
  const block story = {-1.0, -0.4, 1.0, 0.92};  // heading, thanks, score and kills
  p.mice = 0;
  check("ending_no_mice", ending, tex_title2, {story, {-1.0, -0.7, 0.9, -0.5}, {-1.0, -1.0, 0.8, -0.9}}, 14);
  p.mice = 3;
  check("ending_three_mice", ending, tex_title2,
        {story, {-0.8, -0.5, -0.3, -0.4}, {-0.2, -0.6, 0.4, -0.4, true}, {-1.0, -1.0, 1.0, -0.7}}, 15);
  p.mice = 7;  // six pictures fit; the seventh would start at the right edge
  check("ending_all_mice", ending, tex_title2,
        {story,
         {-0.8, -0.5, -0.3, -0.4},
         {-0.2, -0.6, 1.0, -0.4, true},
         {-1.0, -0.7, 0.4, -0.65},
         {-1.0, -1.0, 0.8, -0.7}},
        16);
}

}  // namespace
