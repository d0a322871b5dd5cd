// The title menu driven through menu_frame with held keys: the splash, key
// pacing, the cursor on every page, the options and their limits, and
// Space on each row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "base/flags.h"
#include "game/menu_controls.h"
#include "game/menu_frame.h"
#include "game/menu_keys.h"
#include "game/menu_options.h"
#include "platform/keyboard.h"
#include "tests/game/menu_rig.h"

namespace {

int32_t& int_var(config_table& config, const char* name) { return config_find(config, name)->value.as_int; }
double& double_var(config_table& config, const char* name) {
  return config_find(config, name)->value.as_double;
}

std::string shown(void (*text)(const config_table&, char*, int), const config_table& config) {
  char buffer[40];
  text(config, buffer, sizeof buffer);
  return buffer;
}

// The opening image holds the menu back for two seconds: Down held from the
// start does nothing until then, and the menu music starts with the title.
// Held on, Down moves one row per key pause (14 ticks of 1/64 s: the pause
// runs out on the 13th, the key is taken on the next) and stops at "Quit".
TEST(Menu, SplashThenTitleThenHeldDownPacedToQuit) {
  menu_rig rig;
  hold_key(vk_down);
  rig.ticks(127);  // 127/64 s: still the logo
  EXPECT_LT(rig.menu.splash_timer, splash_seconds);
  EXPECT_EQ(rig.menu.cursor, 1);
  EXPECT_EQ(rig.menu.menu_music_started, 0);

  int moves_at[8];
  int moves = 0;
  for (int tick = 0; tick < 200 && moves < 8; ++tick) {
    int32_t before = rig.menu.cursor;
    rig.tick();
    if (rig.menu.cursor != before) moves_at[moves++] = tick;
  }
  EXPECT_EQ(rig.menu.menu_music_started, 1);
  ASSERT_EQ(moves, 5);  // rows 2 to 6, then no further
  EXPECT_EQ(rig.menu.cursor, main_quit);
  for (int k = 1; k < moves; ++k) EXPECT_EQ(moves_at[k] - moves_at[k - 1], 14) << "move " << k;
  rig.ticks(60);
  EXPECT_EQ(rig.menu.cursor, main_quit);

  // Up steps back the same way and stops at "New Game".
  release_keys();
  for (int k = 0; k < 8; ++k) rig.press(vk_up);
  EXPECT_EQ(rig.menu.cursor, main_new_game);
}

// With whole-second ticks (vid_fps 1) the splash timer lands exactly on two
// seconds; the title menu must still appear and take keys.
TEST(Menu, WholeSecondTicksStillReachTheTitleMenu) {
  menu_rig rig;
  rig.dt = 1.0;
  rig.ticks(2);
  EXPECT_EQ(rig.menu.splash_timer, 2.0);
  rig.press(vk_down);
  EXPECT_EQ(rig.menu.cursor, main_continue);

  // A left click raises the splash timer past the logo (the main loop does
  // it): the title and its music come in the next pass.
  menu_rig clicked;
  clicked.tick();
  clicked.menu.splash_timer = 3.0;
  clicked.tick();
  EXPECT_EQ(clicked.menu.menu_music_started, 1);
  clicked.press(vk_down);
  EXPECT_EQ(clicked.menu.cursor, main_continue);
}

// The options page: Display from one end to the other, fullscreen on and
// off, the mouse speed both ways within its bounds, Apply (which writes the
// config) and Back, and the cursor kept within the page's five rows.
TEST(Menu, OptionsChangeTheVariablesWithinTheirLimits) {
  scratch_folder folder;
  folder.write("data/config.cfg", "vid_fullscreen 0\nvid_mode 3\nvid_fov 70\nm_speed 1.0\njoy_deadzone 25\n");
  menu_rig rig;
  int_var(rig.config, "vid_mode") = 3;
  int_var(rig.config, "vid_fullscreen") = 0;
  double_var(rig.config, "m_speed") = 1.0;
  restart_video_flag = 0;
  rig.past_splash();
  rig.press(vk_down);
  rig.press(vk_down);
  rig.press(vk_space);
  const int32_t back = option_cursor_of(option_back);
  ASSERT_EQ(rig.menu.page, page_options);
  EXPECT_EQ(rig.menu.cursor, back);
  rig.press(vk_down);
  EXPECT_EQ(rig.menu.cursor, back);  // "Back" is the last row

  while (rig.menu.cursor > option_cursor_of(option_display)) rig.press(vk_up);
  ASSERT_EQ(rig.menu.cursor, 2);
  // A mode outside the table (from the config file) has no name; Left steps
  // back into the table.
  int_var(rig.config, "vid_mode") = 17;
  EXPECT_EQ(shown(options_display_text, rig.config), "Display: ");
  rig.press(vk_right);
  EXPECT_EQ(int_var(rig.config, "vid_mode"), 17);
  rig.press(vk_left);
  EXPECT_EQ(shown(options_display_text, rig.config), "Display: 1920x1080");
  for (int k = 0; k < 20; ++k) rig.press(vk_left);
  EXPECT_EQ(int_var(rig.config, "vid_mode"), 0);
  EXPECT_EQ(shown(options_display_text, rig.config), "Display: 320x200");
  for (int k = 0; k < 20; ++k) rig.press(vk_right);
  EXPECT_EQ(int_var(rig.config, "vid_mode"), last_video_mode);
  EXPECT_EQ(shown(options_display_text, rig.config), "Display: 1920x1080");
  EXPECT_EQ(restart_video_flag, 0);  // nothing takes effect before Apply

  rig.press(vk_up);
  rig.press(vk_right);
  EXPECT_EQ(int_var(rig.config, "vid_fullscreen"), 1);
  EXPECT_EQ(shown(options_fullscreen_text, rig.config), "Fullscreen: Yes");
  rig.press(vk_left);
  EXPECT_EQ(shown(options_fullscreen_text, rig.config), "Fullscreen: No");
  rig.press(vk_up);
  EXPECT_EQ(rig.menu.cursor, 1);

  rig.press(vk_down);
  rig.press(vk_down);
  for (int k = 0; k < 3; ++k) rig.press(vk_right);
  EXPECT_EQ(shown(options_mouse_speed_text, rig.config), "Mouse Speed: 0.97");
  for (int k = 0; k < 10; ++k) rig.press(vk_left);
  EXPECT_EQ(double_var(rig.config, "m_speed"), 1.0) << "never above 1.0";
  for (int k = 0; k < 120; ++k) rig.press(vk_right);
  EXPECT_EQ(shown(options_mouse_speed_text, rig.config), "Mouse Speed: 0.01") << "never 0 or below";
  rig.press(vk_left);
  EXPECT_EQ(double_var(rig.config, "m_speed"), 0.02);

  rig.press(vk_space);  // Space on a setting row does nothing
  EXPECT_EQ(rig.menu.page, page_options);
  rig.press(vk_down);
  EXPECT_EQ(shown(options_skill_text, rig.config), "Skill: Normal");
  rig.press(vk_left);
  EXPECT_EQ(shown(options_skill_text, rig.config), "Skill: Easy");
  rig.press(vk_left);   // round to Hard
  rig.press(vk_space);  // Space steps on like Right: round to Easy
  EXPECT_EQ(int_var(rig.config, "skill"), 0);
  while (rig.menu.cursor < option_cursor_of(option_apply)) rig.press(vk_down);
  rig.press(vk_space);
  EXPECT_EQ(restart_video_flag, 1);
  // Apply keeps what changed in the config for the next start.
  EXPECT_EQ(folder.read("data/config.cfg"),
            "vid_fullscreen 0\nvid_mode 16\nvid_fov 70\nm_speed 0.02\njoy_deadzone 25\nskill 0\n");
  restart_video_flag = 0;
  rig.press(vk_down);
  rig.press(vk_space);
  EXPECT_EQ(rig.menu.page, page_main);
  EXPECT_EQ(rig.menu.cursor, main_continue);
}

// The Controls page: Space on a row waits for a key and binds it, a key
// bound elsewhere is swapped, Escape cancels a wait and otherwise goes back
// to the options, a key just bound does not choose the row again, and every
// change is saved. Escape there is the menus' until it is let go.
TEST(Menu, ControlsPageBindsSwapsCancelsAndSaves) {
  scratch_folder folder;
  folder.write("data/config.cfg", "in_forward 119\nin_backward 115\n");
  menu_rig rig;
  rig.past_splash();
  rig.press(vk_down);
  rig.press(vk_down);
  rig.press(vk_space);
  while (rig.menu.cursor > option_cursor_of(option_controls)) rig.press(vk_up);
  rig.press(vk_space);
  ASSERT_EQ(rig.menu.page, page_controls);
  ASSERT_EQ(rig.menu.cursor, 1);
  ASSERT_STREQ(controls_row_var(rig.config, 1)->name, "in_forward");
  EXPECT_EQ(controls_back_row(rig.config), 18);  // 17 bindings, then "Back"
  EXPECT_TRUE(menu_takes_escape(rig.menu));

  rig.press(vk_space);
  EXPECT_EQ(rig.menu.binding_row, 1);
  rig.press('I');
  EXPECT_EQ(rig.menu.binding_row, 0);
  EXPECT_EQ(int_var(rig.config, "in_forward"), 'i');
  EXPECT_EQ(folder.read("data/config.cfg").rfind("in_forward 105\nin_backward 115\n", 0), 0u);

  rig.press(vk_space);
  rig.press('S');  // backward's key: the two swap
  EXPECT_EQ(int_var(rig.config, "in_forward"), 's');
  EXPECT_EQ(int_var(rig.config, "in_backward"), 'i');
  EXPECT_EQ(folder.read("data/config.cfg").rfind("in_forward 115\nin_backward 105\n", 0), 0u);

  rig.press(vk_space);
  rig.press(vk_escape);  // cancels the wait, stays on the page
  EXPECT_EQ(rig.menu.binding_row, 0);
  EXPECT_EQ(rig.menu.page, page_controls);
  EXPECT_EQ(int_var(rig.config, "in_forward"), 's');

  rig.press(vk_space);
  hold_key(vk_space);  // Space itself can be bound, and held on does not choose the row again
  rig.ticks(40);
  release_keys();
  EXPECT_EQ(rig.menu.binding_row, 0);
  EXPECT_EQ(int_var(rig.config, "in_forward"), 32);
  EXPECT_EQ(int_var(rig.config, "in_jump"), 's');

  hold_key(vk_escape);
  rig.ticks(3);
  EXPECT_EQ(rig.menu.page, page_options);
  EXPECT_EQ(rig.menu.cursor, option_cursor_of(option_controls));
  EXPECT_TRUE(menu_takes_escape(rig.menu)) << "Escape still down: not the game's yet";
  release_keys();
  rig.ticks(2);
  EXPECT_FALSE(menu_takes_escape(rig.menu));
}

// How to play and the credits: only "Back", where Up and Down leave the
// cursor; Space returns to the row that opened the page. Left and Right
// outside the options page change nothing.
TEST(Menu, HowToPlayAndCreditsPagesGoBackToTheirRows) {
  menu_rig rig;
  int_var(rig.config, "vid_mode") = 5;
  rig.past_splash();
  for (int k = 0; k < 3; ++k) rig.press(vk_down);
  rig.press(vk_space);
  ASSERT_EQ(rig.menu.page, page_how_to_play);
  EXPECT_EQ(rig.menu.cursor, how_to_play_back);
  rig.press(vk_up);
  rig.press(vk_down);
  rig.press(vk_left);
  EXPECT_EQ(rig.menu.cursor, how_to_play_back);
  EXPECT_EQ(int_var(rig.config, "vid_mode"), 5);
  rig.press(vk_space);
  EXPECT_EQ(rig.menu.page, page_main);
  EXPECT_EQ(rig.menu.cursor, main_options);

  rig.press(vk_down);
  rig.press(vk_down);
  rig.press(vk_space);
  ASSERT_EQ(rig.menu.page, page_credits);
  EXPECT_EQ(rig.menu.cursor, credits_back);
  rig.press(vk_down);
  rig.press(vk_up);
  EXPECT_EQ(rig.menu.cursor, credits_back);
  rig.press(vk_space);
  EXPECT_EQ(rig.menu.page, page_main);
  EXPECT_EQ(rig.menu.cursor, main_credits);

  rig.press(vk_down);
  EXPECT_EQ(rig.press(vk_space), menu_quit);
}

// Keys are tested Up, Left, Right, Down, Space and only one is taken per
// pass: Up and Space together move the cursor and do not act on the row.
TEST(Menu, OneKeyPerPassInItsOrder) {
  menu_rig rig;
  rig.past_splash();
  rig.press(vk_down);
  rig.press(vk_down);  // "Options"
  hold_key(vk_up);
  hold_key(vk_space);
  rig.ticks(5);  // one accepted key, then the pause
  release_keys();
  EXPECT_EQ(rig.menu.page, page_main);
  EXPECT_EQ(rig.menu.cursor, main_continue);
}

}  // namespace
