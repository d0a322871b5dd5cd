// Demo files: what is written reads back exactly, and every kind of broken
// file is refused with a line that says where and why.
#include "app/demo_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/capture_stdout.h"

namespace {

// A small demo with every kind of value: negative and extreme mouse
// motion, a double that has no short decimal form, key changes at both
// ends of the table.
demo sample_demo() {
  demo d;
  d.map_path = "maps/with space/arena.t3bsp";
  d.map_digest = 0x0123456789abcdefull;
  set_config_defaults(d.config);
  config_find(d.config, "vid_fps")->value.as_int = 60;
  config_find(d.config, "m_speed")->value.as_double = 0.1 + 0.2;
  config_find(d.config, "in_fire")->value.as_int = -7;
  config_find(d.config, "skill")->value.as_int = 2;  // Hard
  demo_tick a{{-5, INT32_MIN, 1, 0, 0, 1}, 0xffffffffffffffffull, 0, 2};
  demo_tick b{{INT32_MAX, 3, 1, 1, 1, 0}, 0, 2, 0};
  demo_tick c{{0, 0, 0, 1, 0, 1}, 42, 2, 1};
  d.ticks = {a, b, c};
  d.key_changes = {{0, 1}, {101, 3}, {55, 2}};
  d.end_line = "demo end: tick 3 pos 1.000 -2.500 0.000 health 100 score 0 kills 0";
  return d;
}

std::string write_to_text(const demo& d) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  EXPECT_TRUE(demo_write_stream(file, d));
  fclose(file);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

// Reads `text`; returns what was logged, empty when it was accepted.
std::string refusal_of(const std::string& text, demo* out = nullptr) {
  std::string copy = text;
  FILE* file = copy.empty() ? fopen("/dev/null", "r") : fmemopen(&copy[0], copy.size(), "r");
  demo d;
  capture_stdout_begin();
  bool ok = demo_read_stream(file, "test.dem", d);
  std::string log = capture_stdout_end();
  fclose(file);
  if (out) *out = d;
  if (ok)
    EXPECT_EQ(log, "");
  else
    EXPECT_TRUE(d.ticks.empty() && d.map_path.empty()) << "a refused demo leaves nothing behind";
  return ok ? "" : log;
}

// `text` with its first occurrence of `from` replaced by `to`.
std::string with(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(DemoFile, WhatIsWrittenReadsBackValueForValue) {
  demo original = sample_demo();
  std::string text = write_to_text(original);
  demo read;
  ASSERT_EQ(refusal_of(text, &read), "") << text;
  EXPECT_EQ(read.map_path, original.map_path);
  EXPECT_EQ(read.map_digest, original.map_digest);
  for (int i = 0; i < config_var_count; ++i) {
    EXPECT_STREQ(read.config.vars[i].name, original.config.vars[i].name);
    EXPECT_EQ(memcmp(&read.config.vars[i].value, &original.config.vars[i].value, sizeof(config_value)), 0)
        << read.config.vars[i].name;
  }
  ASSERT_EQ(read.ticks.size(), 3u);
  for (size_t t = 0; t < 3; ++t) {
    EXPECT_EQ(read.ticks[t].digest, original.ticks[t].digest);
    EXPECT_EQ(read.ticks[t].change_count, original.ticks[t].change_count);
    for (int m = 0; m < 6; ++m) EXPECT_EQ(read.ticks[t].mouse[m], original.ticks[t].mouse[m]);
  }
  ASSERT_EQ(read.key_changes.size(), 3u);
  EXPECT_EQ(read.key_changes[1].slot, 101);
  EXPECT_EQ(read.key_changes[1].value, 3);
  EXPECT_EQ(read.key_changes[2].slot, 55);
  EXPECT_EQ(read.end_line, original.end_line);
  // A demo recorded before the skill has no skill line and replays at Normal.
  demo older;
  ASSERT_EQ(refusal_of(with(text, "skill 2\n", ""), &older), "");
  EXPECT_EQ(config_find(older.config, "skill")->value.as_int, 1);
  // Written again, the text is the same byte for byte.
  EXPECT_EQ(write_to_text(read), text);

  // Windows line ends and blank lines after the end are accepted.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(refusal_of(crlf + "\n\n"), "");
}

TEST(DemoFile, EveryCutOfAWholeDemoIsRefusedAsTruncated) {
  std::string text = write_to_text(sample_demo());
  for (size_t length = 0; length < text.size(); ++length) {
    std::string log = refusal_of(text.substr(0, length));
    EXPECT_NE(log.find("(truncated)"), std::string::npos) << "cut after " << length << " bytes: " << log;
  }
  // A cut at the end of a line names what is missing; one inside a line
  // says so.
  EXPECT_NE(refusal_of(text.substr(0, text.size() - 5)).find("the file ends inside the line"),
            std::string::npos);
  EXPECT_NE(refusal_of(text.substr(0, text.find("end demo end"))).find("the file ends before the end line"),
            std::string::npos);
  EXPECT_NE(refusal_of(text.substr(0, text.find("ticks 3\n") + 8)).find("the file ends before tick 1 of 3"),
            std::string::npos);
}

TEST(DemoFile, MalformedValuesAreRefusedNamingTheLineAndTheProblem) {
  const std::string good = write_to_text(sample_demo());
  const std::string first_tick = "ffffffffffffffff -5 -2147483648 1 0 0 1 0:1 101:3";
  ASSERT_NE(good.find(first_tick), std::string::npos);
  const std::string long_line(3000, '7');

  const std::pair<std::string, std::string> cases[] = {
      {"hello\n", "refused: line 1: not a Tarvo demo"},
      {with(good, "tarvo demo 1", "tarvo demo 7"), "line 1: it is of version 7; this game reads version 1"},
      {with(good, "map maps", "mop maps"), "line 2: expected \"map PATH\""},
      {with(good, "map maps/with space/arena.t3bsp", "map " + std::string(5000, 'a')),
       "line 2: the line is too long"},
      {with(good, "map_digest 0123456789abcdef", "map_digest 0123456789abcdef0"),
       "line 3: expected \"map_digest HEX\""},
      {with(good, "var vid_mode", "var vid_moed"), "line 5: unknown variable"},
      {with(good, "var vid_mode 3", "var vid_fov 3"), "a variable is given twice"},
      {with(good, "var vid_mode 3", "var vid_mode 3.5"),
       "line 5: the variable's value is not a number of its type"},
      {with(good, "var m_speed 0x1.3333333333334p-2", "var m_speed inf"),
       "the variable's value is not a number"},
      {with(good, "var vid_fps 60", "var vid_fps 0"), "vid_fps below 1 gives no tick length"},
      {with(good, "skill 2", "skill 3"), "line 39: expected \"skill N\" with N 0 (Easy)"},
      {with(good, "ticks 3", "ticks -1"), "expected \"ticks COUNT\" with a count of 0 or more"},
      {with(good, "ticks 3", "ticks 4000001"), "4000001 ticks is more than the 4000000 a demo may hold"},
      {with(good, "ticks 3", "ticks 2"), "expected \"end demo end: ...\" after the last tick"},
      {with(good, "ticks 3", "ticks 4"), "line 44: a tick line must start with its state digest"},
      {with(good, first_tick, "xyz -5 0 1 0 0 1"), "a tick line must start with its state digest"},
      {with(good, first_tick, "ffffffffffffffff -5 0 2 0 0 1"), "four button states of 0 or 1"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1 102:1"),
       "a slot from 0 to 101 and a value from 0 to 3"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1 5:4"),
       "a slot from 0 to 101 and a value from 0 to 3"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1 7"), "a key change is written SLOT:VALUE"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1 9:1 3:1"), "each slot once, in ascending order"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1 " + long_line), "line 41: the line is too long"},
      {with(good, first_tick, "ffffffffffffffff -5 0 1 0 0 1" + std::string(1, '\0') + " 1:1"),
       "holds a control character"},
      {with(good, "end demo end:", "end demo over:"), "expected \"end demo end: ...\""},
      {with(good, "end demo end: tick 3", "end demo end: tick 3" + std::string(200, ' ')),
       "the end line is too long"},
      {good + good, "text follows the end line"},
  };
  for (const auto& [text, reason] : cases) {
    std::string log = refusal_of(text);
    EXPECT_EQ(log.rfind("demo \"test.dem\" refused: ", 0), 0u) << reason << "\n" << log;
    EXPECT_NE(log.find(reason), std::string::npos) << log;
    EXPECT_EQ(count_occurrences(log, "\n"), 1) << "one line: " << log;
  }
}

TEST(DemoFile, AFileThatCannotBeReadOrWrittenIsReportedAndAnOldDemoSurvivesAFailedWrite) {
  demo d;
  capture_stdout_begin();
  EXPECT_FALSE(demo_read_file("/nonexistent/x.dem", d));
  EXPECT_FALSE(demo_read_file("/", d));
  EXPECT_FALSE(demo_write_file("/nonexistent/x.dem", sample_demo()));
  std::string log = capture_stdout_end();
  EXPECT_NE(
      log.find("demo \"/nonexistent/x.dem\" refused: the file cannot be opened (No such file or directory)"),
      std::string::npos);
  EXPECT_NE(log.find("demo \"/\" refused: the file cannot be read"), std::string::npos) << log;
  EXPECT_NE(log.find("record: cannot write \"/nonexistent/x.dem.tmp\""), std::string::npos);

  // Written through a temporary file: the new demo replaces the old whole.
  char path[] = "/tmp/tarvo_demo_file_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  demo first = sample_demo();
  ASSERT_TRUE(demo_write_file(path, first));
  demo second = sample_demo();
  second.ticks.pop_back();
  second.end_line = "demo end: tick 2 pos 0.000 0.000 0.000 health 1 score 2 kills 3";
  ASSERT_TRUE(demo_write_file(path, second));
  demo back;
  ASSERT_TRUE(demo_read_file(path, back));
  EXPECT_EQ(back.ticks.size(), 2u);
  EXPECT_EQ(back.end_line, second.end_line);
  EXPECT_NE(access((std::string(path) + ".tmp").c_str(), F_OK), 0);
  unlink(path);

  uint64_t digest = 0;
  EXPECT_FALSE(file_digest("/nonexistent/map", &digest));
}

}  // namespace
