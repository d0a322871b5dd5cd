// The real game started on a data folder with one file missing or damaged:
// a config, an image of every texture family, every sound, a map, a world
// texture and a demo. It starts (or, with --map or --playdemo, refuses the
// file), names the file in its log and never crashes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/capture_stdout.h"

namespace fs = std::filesystem;

namespace {

enum class damage {
  missing,    // the file is gone
  garbage,    // 4 KB of bytes that are no file format
  truncated,  // the first half of the real file
  empty,      // zero bytes
};

struct damaged_file {
  const char* name;  // the test's name
  const char* file;  // below the game directory
  damage how;
  const char* map;                 // the --map option's path, or null
  int exit_code;                   // what the game ends with after the quit message (or by itself)
  std::vector<std::string> log;    // lines (or parts of lines) the log shows in this order
  const char* demo = nullptr;      // the --playdemo option's path instead of --map
  const char* original = nullptr;  // the file's good version in the source tree, when data/ has none
};

const char* const facility = "data/maps/facility.t3bsp";
const char* const demo_file = "data/recorded.demo";
const char* const demo_source = "fuzz/corpus/demo/range_still.demo";

std::string missing_texture(const char* path) { return std::string("FILE: \"") + path + "\"\nError: "; }
std::string not_webp(const char* path) {
  return std::string("texture: \"") + path + "\" is not a WebP image";
}
std::string sound_not_opened(const char* path) {
  return std::string("occured when trying to open the file ") + path;
}

// clang-format off
const damaged_file cases[] = {
    {"config_missing", "data/config.cfg", damage::missing, nullptr, 0,
     {"config: cannot open \"data/config.cfg\", keeping the defaults"}},
    {"config_garbage", "data/config.cfg", damage::garbage, nullptr, 0, {"config \"data/config.cfg\": "}},
    {"config_empty", "data/config.cfg", damage::empty, nullptr, 0,
     {"config \"data/config.cfg\": no settings in the file, keeping the defaults"}},

    {"hit_marker_missing", "data/textures/blood.webp", damage::missing, nullptr, 0,
     {missing_texture("data/textures/blood.webp")}},
    {"font_garbage", "data/textures/font_1.webp", damage::garbage, nullptr, 0,
     {not_webp("data/textures/font_1.webp")}},
    {"hud_faces_truncated", "data/textures/hudfaces.webp", damage::truncated, nullptr, 0,
     {not_webp("data/textures/hudfaces.webp")}},
    {"crosshair_empty", "data/textures/xhair.webp", damage::empty, nullptr, 0,
     {not_webp("data/textures/xhair.webp")}},
    {"default_world_missing", "data/textures/tarvo.webp", damage::missing, facility, 0,
     {missing_texture("data/textures/tarvo.webp")}},
    {"sky_garbage", "data/textures/sky/sky.webp", damage::garbage, facility, 0,
     {not_webp("data/textures/sky/sky.webp")}},
    {"weapon_frame_missing", "data/textures/gun/g0f/0.webp", damage::missing, facility, 0,
     {missing_texture("data/textures/gun/g0f/0.webp")}},
    {"weapon_frame_truncated", "data/textures/gun/g1f/1.webp", damage::truncated, facility, 0,
     {not_webp("data/textures/gun/g1f/1.webp")}},
    {"enemy_sheet_garbage", "data/textures/mob/mob3.webp", damage::garbage, facility, 0,
     {not_webp("data/textures/mob/mob3.webp")}},
    {"boss_sheet_missing", "data/textures/mob/boss1.webp", damage::missing, nullptr, 0,
     {missing_texture("data/textures/mob/boss1.webp")}},
    {"projectile_truncated", "data/textures/mob/proj1.webp", damage::truncated, facility, 0,
     {not_webp("data/textures/mob/proj1.webp")}},
    {"item_missing", "data/textures/items/health.webp", damage::missing, facility, 0,
     {missing_texture("data/textures/items/health.webp")}},
    {"prop_garbage", "data/textures/prop/prop1.webp", damage::garbage, facility, 0,
     {not_webp("data/textures/prop/prop1.webp")}},
    {"logo_missing", "data/textures/logo.webp", damage::missing, nullptr, 0,
     {missing_texture("data/textures/logo.webp")}},
    {"title_garbage", "data/textures/title.webp", damage::garbage, nullptr, 0,
     {not_webp("data/textures/title.webp")}},
    {"icon_missing", "data/textures/icon.webp", damage::missing, nullptr, 0,
     {"icon: cannot read \"data/textures/icon.webp\""}},
    {"icon_garbage", "data/textures/icon.webp", damage::garbage, nullptr, 0,
     {"icon: \"data/textures/icon.webp\" is not a WebP image"}},
    {"world_texture_missing", "data/textures/world/concrete.webp", damage::missing, facility, 0,
     {"FILE: \"concrete.webp\"\nError: "}},
    {"world_texture_garbage", "data/textures/world/crate.webp", damage::garbage, facility, 0,
     {"texture: \"crate.webp\" is not a WebP image"}},

    {"menu_music_missing", "data/sound/menu.opus", damage::missing, nullptr, 0,
     {sound_not_opened("data/sound/menu.opus")}},
    {"menu_music_truncated", "data/sound/menu.opus", damage::truncated, nullptr, 0,
     {"opening file data/sound/menu.opus", "data/sound/menu.opus: "}},
    {"human_pain_garbage", "data/sound/human_pain.opus", damage::garbage, facility, 0,
     {sound_not_opened("data/sound/human_pain.opus")}},
    {"armor_pain_missing", "data/sound/armor_pain.opus", damage::missing, facility, 0,
     {sound_not_opened("data/sound/armor_pain.opus")}},
    {"gun1_empty", "data/sound/gun1.opus", damage::empty, facility, 0,
     {sound_not_opened("data/sound/gun1.opus")}},
    {"gun2_garbage", "data/sound/gun2.opus", damage::garbage, facility, 0,
     {sound_not_opened("data/sound/gun2.opus")}},
    {"gun_lazer_missing", "data/sound/gun_lazer.opus", damage::missing, facility, 0,
     {sound_not_opened("data/sound/gun_lazer.opus")}},

    {"map_missing", facility, damage::missing, facility, 1,
     {"facility.t3bsp", "--map: cannot play \""}},
    {"map_garbage", facility, damage::garbage, facility, 1,
     {"facility.t3bsp\" rejected: ", "--map: cannot play"}},
    {"map_truncated", facility, damage::truncated, facility, 1,
     {"facility.t3bsp\" rejected: ", "--map: cannot play"}},

    {"demo_missing", demo_file, damage::missing, nullptr, 1,
     {"/data/recorded.demo\" refused: the file cannot be opened"}, demo_file, demo_source},
    {"demo_garbage", demo_file, damage::garbage, nullptr, 1, {"/data/recorded.demo\" refused: line 1: "},
     demo_file, demo_source},
    {"demo_truncated", demo_file, damage::truncated, nullptr, 1, {"/data/recorded.demo\" refused: line "},
     demo_file, demo_source},
};
// clang-format on

std::string data_dir() {
  const char* dir = getenv("TARVO_DATA_DIR");
  return dir ? dir : "";
}

std::string read_text(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A game directory whose data/ links every generated file, except the one
// the case damages, which is a real file of its own (or gone).
std::string make_game_dir(const damaged_file& c) {
  std::string dir = testing::TempDir() + "damaged_" + c.name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path from = fs::canonical(data_dir());
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(from)) {
    fs::path to = fs::path(dir) / "data" / fs::relative(e.path(), from);
    if (e.is_directory())
      fs::create_directories(to);
    else
      fs::create_symlink(e.path(), to);
  }
  std::string target = dir + "/" + c.file;
  const char* source_dir = getenv("TARVO_SOURCE_DIR");
  std::string good = c.original && source_dir ? std::string(source_dir) + "/" + c.original : target;
  std::string original = fs::exists(good) ? read_text(good) : "";
  fs::remove(target);
  std::string bytes;
  switch (c.how) {
    case damage::missing:
      return dir;
    case damage::garbage:
      for (unsigned x = 12345; bytes.size() < 4096;) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>(x >> 16);
      }
      break;
    case damage::truncated:
      bytes = original.substr(0, original.size() / 2);
      break;
    case damage::empty:
      break;
  }
  write_bytes(target, bytes);
  return dir;
}

// Runs the game in `dir` until it has started (its log shows the last
// start-up line and one pass of the loop) and a little longer, then sends
// the quit message. Returns the exit status, or -1 when the game did not
// end by itself after the quit message.
int run_game_in(const std::string& dir, const damaged_file& c, std::string* log, std::string* err) {
  std::string log_path = dir + "/log.txt";
  std::string err_path = dir + "/err.txt";
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(90);
    if (!freopen(log_path.c_str(), "w", stdout) || !freopen(err_path.c_str(), "w", stderr)) _exit(91);
    // Mesa's driver leaves allocations behind when it is unloaded; leaks are
    // the soak test's business.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    if (c.demo)
      execl(TARVO_EXE, TARVO_EXE, "--playdemo", c.demo, static_cast<char*>(nullptr));
    else if (c.map)
      execl(TARVO_EXE, TARVO_EXE, "--map", c.map, static_cast<char*>(nullptr));
    else
      execl(TARVO_EXE, TARVO_EXE, static_cast<char*>(nullptr));
    _exit(92);
  }
  // Bounds for a game that hangs, not measurements: a healthy start takes a
  // second or two, under the sanitizers a few more.
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  bool ended = false;
  while (std::chrono::steady_clock::now() < give_up) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      ended = true;
      break;
    }
    if (read_text(log_path).find("passed initplayer\n") != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!ended) {
    // A few more frames with the damaged file in play.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline && waitpid(pid, &status, WNOHANG) != pid)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (kill(pid, 0) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
  }
  *log = read_text(log_path);
  *err = read_text(err_path);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

class DamagedFile : public testing::TestWithParam<damaged_file> {};

// Failures name the case, not its bytes.
void PrintTo(const damaged_file& c, std::ostream* os) { *os << c.name; }

}  // namespace

TEST_P(DamagedFile, TheGameNamesItAndCarriesOn) {
  const damaged_file& c = GetParam();
  if (data_dir().empty() || !fs::exists(data_dir() + "/maps/facility.t3bsp"))
    GTEST_SKIP() << "no generated data folder";
  std::string dir = make_game_dir(c);
  std::string log, err;
  int status = run_game_in(dir, c, &log, &err);
  EXPECT_EQ(status, c.exit_code) << err << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
  EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
  EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  std::string missing;
  EXPECT_TRUE(lines_in_order(log, c.log, &missing)) << "not in the log: " << missing << "\n"
                                                    << log.substr(0, 600);
  if (c.exit_code == 0) {
    EXPECT_NE(log.find("passed initplayer\n"), std::string::npos);
    EXPECT_EQ(log.find("--map: cannot play"), std::string::npos);
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, DamagedFile, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<damaged_file>& info) { return info.param.name; });
