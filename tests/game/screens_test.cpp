// Every page and screen of the menus drawn with the real catalogue: each
// text line and mouse picture lands in its place, nothing is drawn anywhere
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

// A rectangle of the screen square where something is to be drawn: a text
// line (one square cell of `size` per character) or a picture.
struct place {
  double x, y, width, height;
  const char* what;
};

place text(double x, double y, double size, const char* line) {
  return place{x, y, size * static_cast<double>(std::string(line).size()), size, line};
}

place mouse_picture(int k, double bottom) { return place{0.2 * k - 0.2, bottom, 0.2, 0.2, "mouse"}; }

struct pixel_box {
  int x0, y0, x1, y1;
};

// The pixels of `p`, grown by two for the edges of filtered glyphs.
pixel_box pixels_of(const place& p, const screenshot& shot) {
  auto px = [&](double x) { return static_cast<int>((x + 1) / 2 * shot.width); };
  auto py = [&](double y) { return static_cast<int>((y + 1) / 2 * shot.height); };
  return pixel_box{px(p.x) - 2, py(p.y) - 2, px(p.x + p.width) + 2, py(p.y + p.height) + 2};
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
  // compared with the bare background: every place shows something and no
  // pixel outside the places changed.
  void check(const char* name, menu_state menu, int slot, const std::vector<place>& places) {
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

    std::vector<pixel_box> boxes;
    for (const place& p : places) {
      pixel_box box = pixels_of(p, shot);
      boxes.push_back(box);
      int changed = 0;
      for (int y = std::max(box.y0, 0); y < std::min(box.y1, shot.height); ++y)
        for (int x = std::max(box.x0, 0); x < std::min(box.x1, shot.width); ++x)
          changed += differs(shot, bare, x, y);
      EXPECT_GT(changed, 20) << name << ": nothing drawn for \"" << p.what << "\"";
    }
    int stray = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        if (!differs(shot, bare, x, y)) continue;
        bool placed = false;
        for (const pixel_box& b : boxes) placed = placed || (x >= b.x0 && x < b.x1 && y >= b.y0 && y < b.y1);
        if (!placed && stray++ == 0)
          ADD_FAILURE() << name << ": drawn outside its places at pixel " << x << ", " << y;
      }
    }
    EXPECT_EQ(stray, 0) << name;
  }

  menu_state title_page(int32_t page, int32_t cursor) {
    menu_state menu{};
    menu.page = page;
    menu.cursor = cursor;
    return menu;
  }

  game_state* gs = nullptr;
};

TEST_F(MenuScreens, TitlePages) {
  check("main", title_page(0, 1), tex_title,
        {text(-0.8, -0.2, 0.1, "New Game"), text(-0.8, -0.3, 0.1, "Continue"),
         text(-0.8, -0.4, 0.1, "Options"), text(-0.8, -0.5, 0.1, "How To Play"),
         text(-0.8, -0.6, 0.1, "Credits"), text(-0.8, -0.7, 0.1, "Quit"), text(-0.9, -0.2, 0.1, ">")});

  config_find(gs->config, "vid_fullscreen")->value.as_int = 1;
  config_find(gs->config, "vid_mode")->value.as_int = 16;
  config_find(gs->config, "m_speed")->value.as_double = 1.3;
  check("options", title_page(2, 5), tex_title,
        {text(-0.8, -0.2, 0.1, "Fullscreen: Yes"), text(-0.8, -0.3, 0.1, "Display: 1920x1080"),
         text(-0.8, -0.4, 0.1, "Mouse Speed: 1.3"), text(-0.8, -0.5, 0.1, "Apply"),
         text(-0.8, -0.6, 0.1, "Back"), text(-0.9, -0.6, 0.1, ">")});

  check("how_to_play", title_page(3, 5), tex_title,
        {text(-0.9, 0.3, 0.15, "How to play:"), text(-0.9, 0.1, 0.1, "WASD to move."),
         text(-0.9, 0.0, 0.1, "Space to jump."), text(-0.9, -0.1, 0.1, "Q&E to cycle guns."),
         text(-0.9, -0.2, 0.1, "R to reload."), text(-0.9, -0.3, 0.1, "1-5 to select guns."),
         text(-0.9, -0.4, 0.1, "More in readme.txt"), text(-0.8, -0.6, 0.1, "Back"),
         text(-0.9, -0.6, 0.1, ">")});

  check("credits", title_page(4, 7), tex_title,
        {text(-0.9, 0.3, 0.15, "Credits"), text(-0.9, 0.1, 0.12, "Programming:"),
         text(-0.9, 0.0, 0.1, "Tarvo developers"), text(-0.9, -0.2, 0.12, "Level Design:"),
         text(-0.9, -0.3, 0.1, "Tarvo developers"), text(-0.9, -0.4, 0.1, "and contributors"),
         text(-0.9, -0.6, 0.1, "More in credits.txt"), text(-0.8, -0.8, 0.1, "Back"),
         text(-0.9, -0.8, 0.1, ">")});
}

TEST_F(MenuScreens, SplashAndStory) {
  menu_state splash{};
  splash.cursor = 1;
  splash.splash_timer = 0.5;
  check("splash", splash, tex_logo, {});

  menu_state story{};
  story.story_screen = 1;
  story.prompt_on = 1;
  std::vector<place> places = {text(-1.0, 0.8, 0.12, "THE STORY SO FAR"),
                               text(-0.9, -0.8, 0.15, "Press Space")};
  const char* lines[] = {"The year is 20XX.",        "Creatures from the void",
                         "have begun an invasion",   "of KELMARRA. ",
                         "By teleporting into our",  "military bases and",
                         "turning the sky red",      "with their HYPNO-RAYS..",
                         "Luckily, you had your",    "trusty water filter to",
                         "keep you safe. Now as",    "the army of aliens,",
                         "cyborgs, and mind-slaves", "closes in, you grab your",
                         "rifle and take a last",    "stand!!!"};
  for (int k = 0; k < 16; ++k) places.push_back(text(-0.9, 0.6 - 0.08 * k, 0.08, lines[k]));
  check("story", story, tex_title2, places);
}

TEST_F(MenuScreens, LevelCompleteAndDeath) {
  menu_state complete{};
  complete.level_complete_screen = 1;
  complete.prompt_on = 1;
  player& p = gs->the_player;
  p.level_number = 9;
  p.score = 12345;
  p.kills = 67;
  p.mice = 3;
  check("level_complete", complete, tex_title2,
        {text(-0.9, 0.8, 0.12, "LEVEL COMPLETED"), text(-0.7, 0.7, 0.1, "Control Hub"),
         text(-0.8, 0.1, 0.1, "Score: 12345"), text(-0.8, 0.0, 0.1, "Kills: 67"),
         text(-0.8, -0.1, 0.1, "Mice:"), mouse_picture(0, -0.2), mouse_picture(1, -0.2),
         mouse_picture(2, -0.2), text(-0.85, -0.8, 0.15, "Press Space")});

  // No mice: no "Mice:" line and no pictures; the secret level has no name.
  p.mice = 0;
  p.level_number = 16;
  complete.prompt_on = 0;
  check("level_complete_secret", complete, tex_title2,
        {text(-0.9, 0.8, 0.12, "LEVEL COMPLETED"), text(-0.8, 0.1, 0.1, "Score: 12345"),
         text(-0.8, 0.0, 0.1, "Kills: 67")});

  menu_state death{};
  death.death_screen = 1;
  death.prompt_on = 1;
  p.level_number = 3;
  check("death", death, -1,
        {text(-0.6, 0.8, 0.15, "YOU DIED"), text(-0.9, 0.0, 0.08, "\"The only winning move"),
         text(-0.9, -0.1, 0.08, "is not to play\""), text(-0.85, -0.8, 0.15, "Press Space")});
}

TEST_F(MenuScreens, EndingByMice) {
  menu_state ending{};
  ending.level_complete_screen = 1;
  ending.prompt_on = 1;  // the ending shows no prompt whatever the blink
  player& p = gs->the_player;
  p.level_number = 15;
  p.score = 40000;
  p.kills = 321;
  std::vector<place> common = {
      text(-1.0, 0.8, 0.12, "CONGRATULATIONS!"), text(-1.0, 0.6, 0.1, "Thanks to you,"),
      text(-1.0, 0.5, 0.1, "Kelmarra is safe!"), text(-1.0, 0.4, 0.1, "The portal has been"),
      text(-1.0, 0.3, 0.1, "closed, and the"),   text(-1.0, 0.2, 0.1, "evil within it is"),
      text(-1.0, 0.1, 0.1, "defeated for now."), text(-1.0, -0.1, 0.1, "During your quest,"),
      text(-1.0, -0.2, 0.1, "you got:"),         text(-0.8, -0.3, 0.1, "Score: 40000"),
      text(-0.8, -0.4, 0.1, "Kills: 321")};

  p.mice = 0;
  std::vector<place> none = common;
  none.push_back(text(-1.0, -0.6, 0.1, "You didnt find any"));
  none.push_back(text(-1.0, -0.7, 0.1, "mice. Too bad... ;>"));
  none.push_back(text(-1.0, -1.0, 0.1, "Press ESC to exit."));
  check("ending_no_mice", ending, tex_title2, none);

  p.mice = 4;
  std::vector<place> some = common;
  some.push_back(text(-0.8, -0.5, 0.1, "Mice:"));
  for (int k = 0; k < 4; ++k) some.push_back(mouse_picture(k, -0.6));
  some.push_back(text(-1.0, -0.8, 0.1, "Thats a lot of mice!"));
  some.push_back(text(-1.0, -0.9, 0.1, "Great job! You Rock!"));
  some.push_back(text(-1.0, -1.0, 0.1, "Press ESC to exit."));
  check("ending_four_mice", ending, tex_title2, some);

  p.mice = 7;
  std::vector<place> all = common;
  all.push_back(text(-0.8, -0.5, 0.1, "Mice:"));
  for (int k = 0; k < 6; ++k) all.push_back(mouse_picture(k, -0.6));  // the seventh is past the edge
  all.push_back(text(-1.0, -0.8, 0.1, "I have a bowl cut."));
  all.push_back(text(-1.0, -0.9, 0.1, "I love Jews!"));
  all.push_back(text(-1.0, -1.0, 0.1, "Jews Rock!"));
  all.push_back(text(-1.0, -0.7, 0.05, "Press space for secret level"));
  check("ending_all_mice", ending, tex_title2, all);
}

}  // namespace
