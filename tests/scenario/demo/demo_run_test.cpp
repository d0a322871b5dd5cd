// The real executable's command line, and its replays of demo files: the
// committed arena demo, demos it must refuse, and a demo recorded at
// another tick rate.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/demo_file.h"
#include "tests/scenario/demo/demo_rig.h"
#include "tests/support/capture_stdout.h"

namespace {

struct run_result {
  int status = -1;  // exit status, or -1 when the program did not exit
  std::string out;
  std::string err;
};

std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string source_dir() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  return source ? source : ".";
}

// Runs the game headless with `arguments` (already quoted), in `folder`.
run_result run_tarvo(const temp_folder& folder, const std::string& arguments) {
  const char* build = getenv("TARVO_BUILD_DIR");
  std::string tarvo = std::string(build ? build : ".") + "/tarvo";
  std::string out = folder.file("stdout.txt");
  std::string err = folder.file("stderr.txt");
  // Mesa's driver keeps memory reachable only from globals that vanish when
  // SDL unloads it at exit; leaks are checked in process instead.
  std::string command = "cd '" + folder.path + "' && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null " +
                        "ASAN_OPTIONS=detect_leaks=0 '" + tarvo + "' " + arguments + " > '" + out + "' 2> '" +
                        err + "'";
  run_result result;
  int status = std::system(command.c_str());
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = read_text(out);
  result.err = read_text(err);
  return result;
}

// The first line of `text` that starts with `start`, or "".
std::string line_starting(const std::string& text, const std::string& start) {
  size_t at = 0;
  if (text.rfind(start, 0) != 0) {
    at = text.find("\n" + start);
    if (at == std::string::npos) return "";
    at += 1;
  }
  return text.substr(at, text.find('\n', at) - at);
}

TEST(DemoRun, TheCommandLineAnswersHelpAndVersionAndNamesWhatItRefuses) {
  temp_folder folder;
  run_result help = run_tarvo(folder, "--help");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--map PATH", "--record FILE", "--playdemo FILE", "--timedemo FILE",
                             "--screenshot TICK:FILE", "--check", "--version", "--help"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  EXPECT_EQ(help.err, "");

  run_result version = run_tarvo(folder, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("tarvo ", 0), 0u) << version.out;

  // One line naming the problem, then the usage, on standard error; status 2.
  const std::pair<const char*, const char*> refused[] = {
      {"--fullscreen", "tarvo: unknown option \"--fullscreen\"\n"},
      {"--map", "tarvo: --map needs PATH\n"},
      {"--screenshot 0:a.png",
       "tarvo: --screenshot needs TICK:FILE with a tick of 1 or more, not \"0:a.png\"\n"},
      {"--record a.dem", "tarvo: --record needs --map PATH (or a demo to replay)\n"},
      {"--map a.t3bsp --timedemo a.dem", "tarvo: --map cannot be combined with a demo replay"},
      {"--playdemo a.dem --timedemo a.dem", "tarvo: --playdemo and --timedemo cannot be combined\n"},
  };
  for (const auto& [arguments, line] : refused) {
    run_result r = run_tarvo(folder, arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.err.rfind(line, 0), 0u) << arguments << "\n" << r.err;
    EXPECT_NE(r.err.find("usage: tarvo"), std::string::npos) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
  }
}

// The committed demo of the arena fight: whatever changes the game's
// behaviour shows here as the first tick whose state differs.
TEST(DemoRun, TheCommittedArenaDemoReplaysToItsRecordedEndInBothReplays) {
  temp_folder folder;
  std::string demo_path = source_dir() + "/tests/scenario/demo/arena.dem";
  demo recorded;
  ASSERT_TRUE(demo_read_file(demo_path.c_str(), recorded));

  run_result timed = run_tarvo(folder, "--timedemo '" + demo_path + "' --screenshot 150:timed150.png" +
                                           " --screenshot 400:timed400.png");
  EXPECT_EQ(timed.status, 0) << timed.out.substr(timed.out.size() > 3000 ? timed.out.size() - 3000 : 0);
  EXPECT_EQ(line_starting(timed.out, "demo: "), "")
      << "the game's behaviour changed; re-record the demo if meant";
  EXPECT_EQ(line_starting(timed.out, "demo end: "), recorded.end_line);
  std::string rate = line_starting(timed.out, "timedemo: ");
  EXPECT_EQ(rate.rfind("timedemo: 480 ticks, 480 frames in ", 0), 0u) << rate;
  EXPECT_EQ(rate.substr(rate.size() - 4), " fps");
  EXPECT_EQ(rate[rate.size() - 6], '.') << "the rate has one decimal: " << rate;
  std::string missing;
  EXPECT_TRUE(lines_in_order(timed.out, {"timedemo: ", "demo end: "}, &missing)) << missing;

  run_result played = run_tarvo(folder, "--playdemo '" + demo_path + "' --screenshot 150:played150.png" +
                                            " --screenshot 400:played400.png --screenshot 9999:never.png");
  EXPECT_EQ(played.status, 0);
  EXPECT_EQ(line_starting(played.out, "demo end: "), recorded.end_line);
  EXPECT_EQ(played.out.find("timedemo: "), std::string::npos);
  EXPECT_NE(played.out.find("screenshot: tick 9999 never came (the run ended after 480); " + folder.path +
                            "/never.png not written"),
            std::string::npos);

  // The same ticks draw the same frames, flat out or at the tick rate.
  for (const char* tick : {"150", "400"}) {
    std::string a = read_text(folder.file(std::string("timed") + tick + ".png"));
    std::string b = read_text(folder.file(std::string("played") + tick + ".png"));
    EXPECT_GT(a.size(), 1000u) << tick;
    EXPECT_TRUE(a == b) << "tick " << tick << " was drawn differently";
  }
  EXPECT_NE(read_text(folder.file("timed150.png")), read_text(folder.file("timed400.png")));
  // A copy that says Easy replays at Easy: the player, hurt less, ends with more health.
  write_text(folder.file("arena.t3bsp"), read_text(source_dir() + "/tests/scenario/demo/arena.t3bsp"));
  std::string text = read_text(demo_path);
  write_text(folder.file("easy.dem"), text.replace(text.find("\nticks "), 1, "\nskill 0\n"));
  std::string end = line_starting(run_tarvo(folder, "--timedemo easy.dem").out, "demo end: ");
  auto health = [](const std::string& line) { return atoi(line.c_str() + line.find(" health ") + 8); };
  EXPECT_GT(health(end), health(recorded.end_line)) << end;
}

// Demo files the game must refuse before it opens a window: status 1 and a
// line saying why.
TEST(DemoRun, BrokenDemosAndMissingMapsAreRefusedWithStatusOne) {
  temp_folder folder;
  std::string text = read_text(source_dir() + "/tests/scenario/demo/arena.dem");
  ASSERT_GT(text.size(), 1000u);
  size_t ticks_line = text.find("\nticks 480\n");
  ASSERT_NE(ticks_line, std::string::npos);

  std::string huge = text;
  huge.replace(ticks_line, 11, "\nticks 99999999999\n");
  std::string cut_in_the_ticks = text.substr(0, text.rfind('\n', text.size() / 2) + 1);
  std::string cut_before_the_end = text.substr(0, text.rfind("end demo end: "));
  std::string other_version = text;
  other_version.replace(0, 12, "tarvo demo 2");
  const std::pair<std::string, std::string> broken[] = {
      {huge, "99999999999 ticks is more than the 4000000 a demo may hold"},
      {cut_in_the_ticks, "the file ends before tick "},
      {cut_before_the_end, "the file ends before the end line (truncated)"},
      {other_version, "line 1: it is of version 2; this game reads version 1"},
      {"\x89PNG\r\n\x1a\n", "line 1: not a Tarvo demo"},
      {"", "the file ends before its header (truncated)"},
  };
  std::string map = read_text(source_dir() + "/tests/scenario/demo/arena.t3bsp");
  write_text(folder.file("arena.t3bsp"), map);
  int n = 0;
  for (const auto& [content, reason] : broken) {
    std::string name = "broken" + std::to_string(n++) + ".dem";
    write_text(folder.file(name), content);
    run_result r = run_tarvo(folder, "--playdemo " + name);
    EXPECT_EQ(r.status, 1) << reason;
    EXPECT_NE(r.out.find("demo \"" + folder.file(name) + "\" refused: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(reason), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("passed ogl"), std::string::npos) << "a window was opened for " << reason;
  }

  // A whole demo whose map is not there.
  temp_folder elsewhere;
  write_text(elsewhere.file("arena.dem"), text);
  run_result no_map = run_tarvo(elsewhere, "--timedemo arena.dem");
  EXPECT_EQ(no_map.status, 1);
  EXPECT_NE(no_map.out.find("refused: its map \"arena.t3bsp\" is missing"), std::string::npos) << no_map.out;

  // Nor does a recording start that could not be written.
  run_result into_folder = run_tarvo(elsewhere, "--map arena.t3bsp --record .");
  EXPECT_EQ(into_folder.status, 1);
  EXPECT_NE(into_folder.out.find("record: cannot write \"" + elsewhere.path + "\": it is a folder"),
            std::string::npos)
      << into_folder.out;

  // A map changed since the recording is played with a warning.
  write_text(elsewhere.file("arena.t3bsp"), map + "\n");
  run_result changed = run_tarvo(elsewhere, "--timedemo arena.dem");
  EXPECT_EQ(changed.status, 0);
  EXPECT_NE(changed.out.find("has changed since the recording; the replay may part from it"),
            std::string::npos);
  EXPECT_NE(changed.out.find("demo end: tick 480 "), std::string::npos);
}

// Recorded in process at 30 ticks a second; the shipped configuration says
// 60, and the game still replays it to its recorded end.
TEST(DemoRun, ADemoOfAnotherTickRateReplaysToItsEndUnderTheShippedConfiguration) {
  temp_folder folder;
  std::string map = folder.file("arena.t3bsp");
  std::string demo_path = folder.file("thirty.dem");
  ASSERT_TRUE(compile_grid_to(arena_source(), map));
  game_options options{};
  options.map_path = map.c_str();
  options.record_path = demo_path.c_str();
  {
    demo_rig rig;
    ASSERT_TRUE(rig.start(options, 30));
    for (int tick = 0; tick < 90; ++tick) {
      std::set<int> keys;
      if (tick < 40) keys.insert(vk_w);
      if (tick > 20) keys.insert(vk_ctrl);
      rig.pass(keys, mouse_state{tick < 60 ? 20 : 0, 0, 0, 0, 0, 0});
    }
  }
  demo thirty;
  ASSERT_TRUE(demo_read_file(demo_path.c_str(), thirty));
  EXPECT_EQ(config_find(thirty.config, "vid_fps")->value.as_int, 30);
  run_result r = run_tarvo(folder, "--timedemo thirty.dem");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(line_starting(r.out, "demo end: "), thirty.end_line);
  EXPECT_EQ(line_starting(r.out, "demo: "), "");
}

}  // namespace
