// The gamepad's variables: after the game's 35 in the table, read from the
// same file by the same reader, missing from older files without harm, and
// kept out of demos.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/demo_file.h"
#include "config/config_file.h"
#include "config/config_table.h"
#include "tests/support/capture_stdout.h"

namespace {

config_table read_text(const std::string& text, std::string* log = nullptr) {
  config_table table{};
  set_config_defaults(table);
  FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  capture_stdout_begin();
  read_config_stream(table, file, "test.cfg");
  std::string captured = capture_stdout_end();
  fclose(file);
  if (log) *log = captured;
  return table;
}

int int_of(const config_table& table, const char* name) { return config_find(table, name)->value.as_int; }

// The game's 35 variables, each with a value other than its default.
std::string game_pairs() {
  config_table table{};
  set_config_defaults(table);
  std::string text;
  for (int i = 0; i < config_var_count; ++i) {
    const config_var& var = table.vars[i];
    text += std::string(var.name) + (config_is_double(var.name) ? " 2.5\n" : " 7\n");
  }
  return text;
}

}  // namespace

TEST(GamepadVariables, StandAfterTheGamesOwnWithTheirDefaults) {
  config_table table{};
  set_config_defaults(table);
  EXPECT_STREQ(table.vars[34].name, "vid_vertex_light");
  EXPECT_STREQ(table.vars[35].name, "joy_look_speed");
  EXPECT_STREQ(table.vars[36].name, "joy_deadzone");
  EXPECT_EQ(int_of(table, "joy_look_speed"), 180);
  EXPECT_EQ(int_of(table, "joy_deadzone"), 25);
}

TEST(GamepadVariables, AreReadAfterThe35AndAnOlderFileKeepsTheirDefaults) {
  // A file from before the pad: its 35 pairs as ever, the pad's defaults.
  std::string log;
  config_table table = read_text(game_pairs(), &log);
  EXPECT_EQ(int_of(table, "vid_vertex_light"), 7);
  EXPECT_EQ(int_of(table, "joy_look_speed"), 180);
  EXPECT_EQ(int_of(table, "joy_deadzone"), 25);
  EXPECT_EQ(log.find("config \""), std::string::npos) << log;

  // The shipped layout: the 35, then the pad's pairs.
  table = read_text(game_pairs() + "joy_look_speed 900\njoy_deadzone 10\n");
  EXPECT_EQ(int_of(table, "joy_look_speed"), 900);
  EXPECT_EQ(int_of(table, "joy_deadzone"), 10);
  EXPECT_EQ(int_of(table, "vid_fov"), 7);

  // Past the 35th pair only the pad's variables are read: a 36th pair of
  // the game's own is not, as before, nor anything after it.
  table = read_text(game_pairs() + "vid_fov 99\njoy_deadzone 10\n");
  EXPECT_EQ(int_of(table, "vid_fov"), 7);
  EXPECT_EQ(int_of(table, "joy_deadzone"), 25);
  table = read_text(game_pairs() + "joy_deadzone 10\nvid_fov 99\njoy_look_speed 5\n");
  EXPECT_EQ(int_of(table, "joy_deadzone"), 10);
  EXPECT_EQ(int_of(table, "vid_fov"), 7);
  EXPECT_EQ(int_of(table, "joy_look_speed"), 180);

  // Named early, they are pairs like any other; a bad value is kept out.
  table = read_text("joy_deadzone 30\njoy_look_speed fast\nvid_fov 80\n", &log);
  EXPECT_EQ(int_of(table, "joy_deadzone"), 30);
  EXPECT_EQ(int_of(table, "joy_look_speed"), 180);
  EXPECT_EQ(int_of(table, "vid_fov"), 80);
  EXPECT_NE(log.find(": joy_look_speed value is not a whole number (\"fast\"), keeping 180\n"),
            std::string::npos)
      << log;
}

TEST(GamepadVariables, DemosHoldTheGamesVariablesOnlyAndRefuseThePads) {
  demo d{};
  d.map_path = "maps/arena.t3bsp";
  set_config_defaults(d.config);
  d.end_line = "demo end: quit";
  char* text = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&text, &size);
  ASSERT_TRUE(demo_write_stream(out, d));
  fclose(out);
  std::string written(text, size);
  free(text);
  EXPECT_EQ(written.find("joy_"), std::string::npos);
  EXPECT_EQ(count_occurrences(written, "\nvar "), config_var_count);

  // A demo naming a pad variable in place of one of the game's is refused,
  // not read past the end of the table of those it has seen.
  std::string forged = written;
  size_t at = forged.find("var vid_vertex_light 0");
  ASSERT_NE(at, std::string::npos);
  forged.replace(at, 22, "var joy_deadzone 0");
  FILE* in = fmemopen(const_cast<char*>(forged.data()), forged.size(), "r");
  demo back{};
  capture_stdout_begin();
  bool read = demo_read_stream(in, "forged.dem", back);
  std::string log = capture_stdout_end();
  fclose(in);
  EXPECT_FALSE(read);
  EXPECT_NE(log.find("unknown variable"), std::string::npos) << log;
}
