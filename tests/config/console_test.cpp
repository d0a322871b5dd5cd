// The console: typing, running lines, commands, history and the toggle.
#include "config/console.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/flags.h"
#include "config/config_table.h"
#include "config/console_execute.h"
#include "config/console_print.h"
#include "config/console_tick.h"
#include "config/console_update.h"
#include "config/key_state.h"
#include "config/video_settings.h"
#include "player/bind_keys.h"
#include "player/player.h"

namespace {

int slot_for(char c) { return c == ' ' ? key_slot_space : c - 33; }

class Console : public testing::Test {
 protected:
  void SetUp() override {
    reset_program_flags();
    set_config_defaults(table);
    player_init(the_player, table);
    video = apply_video_vars(table);
  }
  void TearDown() override { reset_program_flags(); }

  // One tick in which the given slots went down.
  void tick_with(std::initializer_list<int> slots) {
    for (int slot : slots) keys.slots[slot] = key_pressed;
    if (console_tick(con, keys, table)) bind_keys(table, video, the_player);
    keys = key_state{};
  }
  // Types `text` one character a tick, as a person would.
  void type(const std::string& text) {
    for (char c : text) tick_with({slot_for(c)});
  }
  void enter() { tick_with({key_slot_return}); }
  void run_line(const std::string& text) {
    type(text);
    enter();
  }
  config_var& var(const char* name) { return *config_find(table, name); }

  console con{};
  key_state keys{};
  config_table table{};
  video_settings video{};
  player the_player{};
};

TEST_F(Console, SettingAVariableEchoesAndAppliesIt) {
  con.console_open = 1;
  run_line("vid_fov 75");
  EXPECT_STREQ(con.history[1], "vid_fov 75");
  EXPECT_STREQ(con.history[0], "vid_fov = 75");
  EXPECT_EQ(var("vid_fov").value.as_int, 75);
  // The same tick re-applied the variables.
  EXPECT_EQ(video.fov, 75);
  EXPECT_EQ(table.config_changed, 0);
  EXPECT_EQ(con.input_length, 0);
  EXPECT_EQ(con.input_line[0], 0);
}

TEST_F(Console, ExecuteLineRaisesConfigChanged) {
  snprintf(con.input_line, sizeof con.input_line, "in_jump 99");
  console_execute_line(con, table);
  EXPECT_EQ(table.config_changed, 1);
  EXPECT_EQ(var("in_jump").value.as_int, 99);
}

TEST_F(Console, ReadingADoubleShowsSixDecimals) {
  con.console_open = 1;
  run_line("m_speed");
  EXPECT_STREQ(con.history[0], "m_speed = 1.000000");
  run_line("vid_fps");
  EXPECT_STREQ(con.history[0], "vid_fps = 1");
}

TEST_F(Console, NonNumericParametersAreRejected) {
  con.console_open = 1;
  run_line("vid_fov -5");
  EXPECT_STREQ(con.history[0], "Invalid parameters");
  EXPECT_EQ(var("vid_fov").value.as_int, 60);
  run_line("m_speed 1e3");
  EXPECT_STREQ(con.history[0], "Invalid parameters");
  EXPECT_DOUBLE_EQ(var("m_speed").value.as_double, 1.0);
}

TEST_F(Console, DoublesAndIntegersConvertTheCWay) {
  con.console_open = 1;
  run_line("m_speed 2.5");
  EXPECT_DOUBLE_EQ(var("m_speed").value.as_double, 2.5);
  EXPECT_DOUBLE_EQ(the_player.mouse_speed_x, 2.5);
  run_line("vid_fov 7.9");
  EXPECT_EQ(var("vid_fov").value.as_int, 7);
  EXPECT_STREQ(con.history[0], "vid_fov = 7.9");
}

TEST_F(Console, ParameterHoldsFiveCharactersAndBlanksOnlySeparate) {
  con.console_open = 1;
  run_line("m_speed 0.125");
  EXPECT_DOUBLE_EQ(var("m_speed").value.as_double, 0.125);
  EXPECT_STREQ(con.history[0], "m_speed = 0.125");
  run_line("vid_fov 123456");
  EXPECT_EQ(var("vid_fov").value.as_int, 12345);
  EXPECT_STREQ(con.history[0], "vid_fov = 12345");
  run_line("vid_fov  8 0");
  EXPECT_EQ(var("vid_fov").value.as_int, 80);
}

TEST_F(Console, NineteenCharacterNameTakesItsParameter) {
  con.console_open = 1;
  run_line("vid_render_distance 30");
  EXPECT_EQ(var("vid_render_distance").value.as_int, 30);
  EXPECT_EQ(video.render_distance, 30);
}

TEST_F(Console, OverlongNamesAreCommandsThatDoNotExist) {
  con.console_open = 1;
  run_line("vid_render_distancexx 30");
  EXPECT_STREQ(con.history[0], "Invalid command");
  EXPECT_EQ(var("vid_render_distance").value.as_int, 20);
  // A name filling the whole line.
  run_line(std::string(39, 'm'));
  EXPECT_STREQ(con.history[0], "Invalid command");
  EXPECT_EQ(con.command_pending, 0);
}

TEST_F(Console, Commands) {
  con.console_open = 1;
  run_line("vid_restart");
  EXPECT_EQ(restart_video_flag, 1);
  EXPECT_EQ(quit_flag, 0);
  EXPECT_EQ(con.command_pending, 0);
  EXPECT_EQ(con.command_text[0], 0);
  EXPECT_STREQ(con.history[0], "vid_restart");

  run_line("quit now");
  EXPECT_STREQ(con.history[0], "Invalid command");
  EXPECT_EQ(quit_flag, 0);
  run_line("hello");
  EXPECT_STREQ(con.history[0], "Invalid command");
  EXPECT_STREQ(con.history[1], "hello");
  run_line("quit");
  EXPECT_EQ(quit_flag, 1);
}

TEST_F(Console, ALineStopsAtThirtyNineCharacters) {
  con.console_open = 1;
  std::string line(39, 'x');
  type(line);
  EXPECT_EQ(con.input_length, 39);
  type("y");
  type(" ");
  EXPECT_EQ(con.input_length, 39);
  EXPECT_EQ(std::string(con.input_line), line);
  EXPECT_EQ(con.input_line[39], 0);
  // The last typing batch must fit whole: at 37, two characters go in only
  // while the length plus the batch stays below 40.
  tick_with({key_slot_backspace});
  tick_with({key_slot_backspace});
  EXPECT_EQ(con.input_length, 37);
  tick_with({slot_for('a'), slot_for('b')});
  EXPECT_EQ(con.input_length, 38);
  EXPECT_EQ(con.input_line[37], 'a');
}

TEST_F(Console, CharactersAreTakenInSlotOrderFourATick) {
  con.console_open = 1;
  keys.slots[slot_for('c')] = key_pressed;
  keys.slots[slot_for('a')] = key_pressed;
  keys.slots[slot_for('b')] = key_pressed;
  console_update(con, table, keys);
  EXPECT_STREQ(con.input_line, "abc");
  EXPECT_EQ(keys.slots[slot_for('c')], key_held);
  EXPECT_EQ(memcmp(con.typed_chars, "abc", 3), 0);

  keys = key_state{};
  for (char c : std::string("vwxyz")) keys.slots[slot_for(c)] = key_pressed;
  console_update(con, table, keys);
  EXPECT_STREQ(con.input_line, "abcvwxy");
  // The fifth was consumed and lost.
  EXPECT_EQ(keys.slots[slot_for('z')], key_held);
}

TEST_F(Console, BackspaceSpaceOrReturnWinOverCharactersOfTheSameTick) {
  con.console_open = 1;
  type("ab");
  tick_with({slot_for('c'), key_slot_backspace});
  EXPECT_STREQ(con.input_line, "a");
  tick_with({slot_for('d'), key_slot_space});
  EXPECT_STREQ(con.input_line, "a ");
  // Backspace comes before return in the scan: return waits, still pressed.
  keys.slots[key_slot_backspace] = key_pressed;
  keys.slots[key_slot_return] = key_pressed;
  console_update(con, table, keys);
  EXPECT_STREQ(con.input_line, "a");
  EXPECT_EQ(keys.slots[key_slot_return], key_pressed);
  keys = key_state{};
  tick_with({key_slot_backspace});
  tick_with({key_slot_backspace});
  EXPECT_EQ(con.input_length, 0);
}

TEST_F(Console, HeldKeysDoNotType) {
  con.console_open = 1;
  keys.slots[slot_for('a')] = key_held;
  console_update(con, table, keys);
  EXPECT_EQ(con.input_length, 0);
}

TEST_F(Console, ClosedConsoleTakesNoKeys) {
  tick_with({slot_for('a')});
  EXPECT_EQ(con.input_length, 0);
}

TEST_F(Console, HistoryKeepsTwentyLinesNewestFirst) {
  for (int i = 0; i < 21; ++i) console_print(std::to_string(i).c_str(), con);
  EXPECT_STREQ(con.history[0], "20");
  EXPECT_STREQ(con.history[19], "1");
}

TEST_F(Console, LongLinesAreCutToFitTheHistory) {
  console_print(std::string(60, 'q').c_str(), con);
  EXPECT_EQ(strlen(con.history[0]), 39u);
  // An echo of a large double is cut the same way.
  var("m_speed").value.as_double = 1e30;
  snprintf(con.input_line, sizeof con.input_line, "m_speed");
  console_execute_line(con, table);
  EXPECT_EQ(strlen(con.history[0]), 39u);
  EXPECT_EQ(std::string(con.history[0]).rfind("m_speed = 1000000000000", 0), 0u);
}

TEST_F(Console, ToggleKeysOpenAndClose) {
  const int grave = '`' - 33, tilde = '~' - 33;
  keys.slots[grave] = key_pressed;
  EXPECT_FALSE(console_toggle(con, keys));
  EXPECT_EQ(con.console_open, 1);
  EXPECT_EQ(keys.slots[grave], key_held);
  EXPECT_EQ(keys.slots[tilde], key_held);
  // A held toggle key does nothing.
  EXPECT_FALSE(console_toggle(con, keys));
  EXPECT_EQ(con.console_open, 1);

  // Closing re-applies the variables.
  var("in_forward").value.as_int = 'i';
  table.config_changed = 1;
  keys = key_state{};
  keys.slots[tilde] = key_pressed;
  ASSERT_TRUE(console_toggle(con, keys));
  bind_keys(table, video, the_player);
  EXPECT_EQ(con.console_open, 0);
  EXPECT_EQ(the_player.key_bindings[bind_forward], 'i');
  EXPECT_EQ(table.config_changed, 0);
  EXPECT_EQ(keys.slots[grave], key_held);
}

TEST_F(Console, TextSurvivesClosingAndReopening) {
  con.console_open = 1;
  type("vid");
  con.console_open = 0;
  con.console_open = 1;
  type("_fov");
  EXPECT_STREQ(con.input_line, "vid_fov");
}

}  // namespace
