// The config file reader: token rules, the 35 attempts, the value holder.
#include "config/config_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/config_save.h"
#include "config/config_table.h"
#include "config/video_settings.h"
#include "tests/support/capture_stdout.h"

namespace {

// Writes `text` to a fresh temporary config file and returns its path.
std::string write_config(const std::string& text) {
  static int serial = 0;
  std::string path = std::string(testing::TempDir()) + "config_" + std::to_string(serial++) + ".cfg";
  FILE* file = fopen(path.c_str(), "wb");
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
  return path;
}

int int_of(const config_table& table, const char* name) { return config_find(table, name)->value.as_int; }
int32_t& int_var_of(config_table& table, const char* name) { return config_find(table, name)->value.as_int; }
double double_of(const config_table& table, const char* name) {
  return config_find(table, name)->value.as_double;
}

// Reads `text` over the defaults, capturing the log.
config_table read_text(const std::string& text, std::string* log = nullptr) {
  config_table table{};
  set_config_defaults(table);
  std::string path = write_config(text);
  capture_stdout_begin();
  read_config_file_at(table, path.c_str());
  std::string captured = capture_stdout_end();
  if (log) *log = captured;
  return table;
}

}  // namespace

TEST(ConfigTable, DefaultsInTableOrder) {
  config_table table{};
  set_config_defaults(table);
  EXPECT_STREQ(table.vars[0].name, "vid_fullscreen");
  EXPECT_STREQ(table.vars[10].name, "vid_fps");
  EXPECT_STREQ(table.vars[34].name, "vid_vertex_light");
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_EQ(int_of(table, "vid_fov"), 60);
  EXPECT_EQ(int_of(table, "vid_fps"), 1);
  EXPECT_EQ(int_of(table, "in_lookleft"), 132);
  EXPECT_EQ(int_of(table, "in_fire"), 134);
  // Every name beginning with "m" holds the double 1.0.
  for (const char* name : {"m_speed_x", "m_speed_y", "m_speed", "m_kb_look_speed"})
    EXPECT_EQ(double_of(table, name), 1.0) << name;
  EXPECT_EQ(table.config_changed, 0);
}

TEST(ConfigFile, TableOrderFileGivesExactlyItsValues) {
  config_table defaults{};
  set_config_defaults(defaults);
  std::string text;
  for (int i = 0; i < config_var_count; ++i) {
    const char* name = defaults.vars[i].name;
    char line[64];
    if (config_is_double(name))
      snprintf(line, sizeof line, "%s %d.5\n", name, i);
    else
      snprintf(line, sizeof line, "%s %d\n", name, 1000 + i);
    text += line;
  }
  config_table table = read_text(text);
  for (int i = 0; i < config_var_count; ++i) {
    if (config_is_double(table.vars[i].name))
      EXPECT_EQ(table.vars[i].value.as_double, i + 0.5) << table.vars[i].name;
    else
      EXPECT_EQ(table.vars[i].value.as_int, 1000 + i) << table.vars[i].name;
  }
}

TEST(ConfigFile, OnlyTheFirst35PairsAreRead) {
  std::string text;
  for (int i = 0; i < 35; ++i) text += "dbg_draw_hbox " + std::to_string(i) + "\n";
  for (int i = 0; i < 5; ++i) text += "vid_fov " + std::to_string(100 + i) + "\n";
  config_table table = read_text(text);
  EXPECT_EQ(int_of(table, "dbg_draw_hbox"), 34);
  EXPECT_EQ(int_of(table, "vid_fov"), 60);  // pairs 36 to 40 never read
}

TEST(ConfigFile, FloatPairLogsFoundAndValue) {
  // The pair comes first; 34 integer pairs fill the remaining attempts, so
  // none of them re-uses the float's name.
  std::string rest;
  for (int i = 0; i < 34; ++i) rest += "vid_fov 70\n";
  std::string log;
  config_table table = read_text("m_speed 2.5\n" + rest, &log);
  EXPECT_EQ(double_of(table, "m_speed"), 2.5);
  EXPECT_EQ(log, "found a float!\nfloat 2.500000\n");

  table = read_text("m_kb_look_speed 1.9\n" + rest);
  EXPECT_EQ(double_of(table, "m_kb_look_speed"), 1.9);
}

TEST(ConfigFile, AShortFileSetsOnlyWhatItNames) {
  // The file ends after two pairs: the remaining attempts read nothing, so
  // the last-named variable keeps the value written for it (a short file
  // ending in m_speed must not turn mouse look off) and nothing else moves.
  std::string log;
  config_table table = read_text("vid_fov 75\nm_speed 2.5\n", &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 75);
  EXPECT_EQ(double_of(table, "m_speed"), 2.5);
  EXPECT_EQ(double_of(table, "m_speed_x"), 1.0);
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_EQ(log, "found a float!\nfloat 2.500000\n");

  table = read_text("vid_fov 75\n", &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 75);
  EXPECT_EQ(log, "");
  table = read_text(" \n\n", &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 60);
  EXPECT_NE(log.find("\": no settings in the file, keeping the defaults\n"), std::string::npos) << log;
}

TEST(ConfigFile, AHandEditedFileNeverTakesAValueNobodyWrote) {
  // Every faulty pair leaves its variable as it was and names it in the
  // log; the good pairs around it still count.
  std::string log;
  config_table table = read_text(
      "vid_fov 75\n"
      "vid_mode abc\n"  // not a number
      "m_speed fast\n"  // not a number
      "vid_fps 30\n"
      "m_kb_look_speed 2.5x\n"      // trailing text
      "vid_render_distance 7.5\n"   // not a whole number
      "dbg_draw_fps 99999999999\n"  // outside 32 bits
      "m_speed_x nan\n"             // not a finite number
      "in_fire\n"                   // no value: the next pair is whole
      "in_jump 33\n"
      "dbg_draw_vel -2\n",
      &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 75);
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_EQ(double_of(table, "m_speed"), 1.0);
  EXPECT_EQ(int_of(table, "vid_fps"), 30);
  EXPECT_EQ(double_of(table, "m_kb_look_speed"), 1.0);
  EXPECT_EQ(int_of(table, "vid_render_distance"), 20);
  EXPECT_EQ(int_of(table, "dbg_draw_fps"), 0);
  EXPECT_EQ(double_of(table, "m_speed_x"), 1.0);
  EXPECT_EQ(int_of(table, "in_fire"), 134);
  EXPECT_EQ(int_of(table, "in_jump"), 33);
  EXPECT_EQ(int_of(table, "dbg_draw_vel"), -2);
  EXPECT_TRUE(lines_in_order(
      log, {": vid_mode value is not a whole number (\"abc\"), keeping 3\n", "found a float!\n",
            ": m_speed value is not a number (\"fast\"), keeping 1.000000\n",
            ": m_kb_look_speed value is not a number (\"2.5x\")",
            ": vid_render_distance value is not a whole number (\"7.5\"), keeping 20\n",
            ": dbg_draw_fps value is not a whole number", ": m_speed_x value is not a number (\"nan\")",
            ": in_fire has no value, keeping 134\n"}))
      << log;
  EXPECT_EQ(count_occurrences(log, "float "), 0);
  // Each line names the file it is about.
  EXPECT_EQ(log.rfind("config \"" + std::string(testing::TempDir()), 0), 0u) << log;
  EXPECT_EQ(count_occurrences(log, "config \""), 7);

  // A name at the very end with nothing after it.
  table = read_text("vid_fov 80 m_speed", &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 80);
  EXPECT_EQ(double_of(table, "m_speed"), 1.0);
  EXPECT_NE(log.find(": m_speed has no value, keeping 1.000000\n"), std::string::npos) << log;
}

TEST(ConfigFile, UnknownNamesSpendAnAttemptAndChangeNothing) {
  std::string log;
  config_table table = read_text("no_such_var 5\nVID_FOV 9\nvid_fov 70\n", &log);
  EXPECT_EQ(int_of(table, "vid_fov"), 70);
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_TRUE(lines_in_order(
      log, {": unknown variable \"no_such_var\", ignored\n", ": unknown variable \"VID_FOV\", ignored\n"}))
      << log;

  // The attempt is spent: 35 unknown pairs leave a 36th unread.
  std::string text;
  for (int i = 0; i < 35; ++i) text += "nothing 1\n";
  table = read_text(text + "vid_fov 70\n");
  EXPECT_EQ(int_of(table, "vid_fov"), 60);
}

TEST(ConfigFile, OverlongTokensAreRefusedWhole) {
  // A 40-character name is no variable's name, even though its first 19
  // characters are; a float value longer than 9 characters is not cut to
  // a number nobody wrote. A zero byte does not hide the rest of a name.
  std::string log;
  std::string text =
      "vid_render_distanceXXXXXXXXXXXXXXXXXXXXX 42\n"
      "m_speed 1000000000.5\n"
      "vid_fov 61\n";
  text += std::string("vid_mode\0xx 9\n", 14);
  config_table table = read_text(text, &log);
  EXPECT_EQ(int_of(table, "vid_render_distance"), 20);
  EXPECT_EQ(double_of(table, "m_speed"), 1.0);
  EXPECT_EQ(int_of(table, "vid_fov"), 61);
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_TRUE(lines_in_order(
      log, {": unknown variable \"vid_render_distanceXXXXXXXXXXXX...\"",
            ": m_speed value is not a number (\"1000000000.5\")", ": unknown variable \"vid_mode\""}))
      << log;
}

TEST(ConfigFile, MissingFileKeepsTheDefaultsAndSaysSo) {
  config_table table{};
  set_config_defaults(table);
  capture_stdout_begin();
  read_config_file_at(table, "/nonexistent/dir/config.cfg");
  std::string log = capture_stdout_end();
  EXPECT_NE(log.find("keeping the defaults"), std::string::npos) << log;
  EXPECT_EQ(int_of(table, "vid_mode"), 3);
  EXPECT_EQ(int_of(table, "vid_fps"), 1);
}

TEST(ConfigFile, LoadConfigDerivesTheVideoSettings) {
  // load_config reads "data/config.cfg" relative to the current directory.
  std::string dir = std::string(testing::TempDir()) + "load_config_dir";
  std::string data = dir + "/data";
  ASSERT_EQ(system(("mkdir -p " + data).c_str()), 0);
  FILE* file = fopen((data + "/config.cfg").c_str(), "w");
  fputs("vid_mode 15\nvid_fps 60\nvid_fov 75\n", file);
  fclose(file);
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  config_table table{};
  video_settings video{};
  video.desktop_width = 1234;
  capture_stdout_begin();
  load_config(table, video);
  capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);
  EXPECT_EQ(video.width, 1280);
  EXPECT_EQ(video.height, 720);
  EXPECT_EQ(video.fov, 75);
  EXPECT_DOUBLE_EQ(video.tick_step, 1.0 / 60.0);
  EXPECT_EQ(video.desktop_width, 1234);
}

// Settings written back: only their values change, a missing one of the 35
// goes before the later variables so the reader still takes it, the file
// read back gives the values, and a failed write is said and keeps the file.
TEST(ConfigFile, SavedSettingsReplaceOnlyTheirValuesAndReadBack) {
  const std::string before = "vid_fullscreen 0\r\nvid_mode 3  vid_fov 70\nm_speed\njoy_deadzone 25\n";
  const std::string path = write_config(before);
  config_table table = read_text(before);
  int_var_of(table, "vid_mode") = 16;
  config_find(table, "m_speed")->value.as_double = 0.07;
  int_var_of(table, "vid_vsync") = 0;
  int_var_of(table, "skill") = 2;
  const char* names[] = {"vid_fullscreen", "vid_mode", "m_speed", "vid_vsync", "skill"};
  capture_stdout_begin();
  EXPECT_TRUE(config_save_vars(table, names, 5, path.c_str(), path.c_str()));
  std::string log = capture_stdout_end();
  EXPECT_NE(log.find("config: wrote vid_mode, m_speed, vid_vsync, skill to \"" + path + "\""),
            std::string::npos)
      << log;
  FILE* file = fopen(path.c_str(), "rb");
  char text[256] = {};
  fread(text, 1, sizeof text - 1, file);
  fclose(file);
  EXPECT_STREQ(
      text,
      "vid_fullscreen 0\r\nvid_mode 16  vid_fov 70\nm_speed 0.07\nvid_vsync 0\njoy_deadzone 25\nskill 2\n");
  config_table again = read_text(text);
  EXPECT_EQ(int_of(again, "vid_mode"), 16);
  EXPECT_EQ(double_of(again, "m_speed"), 0.07);
  EXPECT_EQ(int_of(again, "vid_vsync"), 0);

  capture_stdout_begin();
  EXPECT_TRUE(config_save_vars(again, names, 5, path.c_str(), "/nonexistent/dir/config.cfg"));
  EXPECT_EQ(capture_stdout_end(), "") << "nothing changed, nothing written";
  int_var_of(again, "vid_mode") = 2;
  capture_stdout_begin();
  EXPECT_FALSE(config_save_vars(again, names, 5, path.c_str(), "/nonexistent/dir/config.cfg"));
  log = capture_stdout_end();
  EXPECT_NE(log.find("config: cannot write \"/nonexistent/dir/config.cfg\""), std::string::npos) << log;
}
