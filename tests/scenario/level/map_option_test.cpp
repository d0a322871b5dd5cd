// The --map option of the real executable.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/scenario/level/level_fixture.h"
#include "tests/support/capture_stdout.h"

namespace {

std::string tarvo_path() {
  const char* build = getenv("TARVO_BUILD_DIR");
  return std::string(build ? build : ".") + "/tarvo";
}

TEST(MapOption, MapThatCannotBeLoadedEndsTheGameWithAFailure) {
  std::string log = std::string(getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp") + "/tarvo_map_option.log";
  std::string command = "SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null " + tarvo_path() +
                        " --map /nonexistent/level.t3bsp > " + log + " 2>&1";
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::string text = read_file_text(log);
  EXPECT_NE(text.find("map \"/nonexistent/level.t3bsp\" rejected: the file cannot be opened"),
            std::string::npos)
      << text;
}

// A map of nothing but empty space: the player falls through the death
// plane, and six seconds later the level is left for the menus. A quit
// request then ends the game normally. Under the sanitizers the run is
// checked for memory errors but not for leaks: Mesa's driver keeps
// allocations reachable only from its own globals, which vanish when SDL
// unloads the driver at exit. The level's own memory is leak-checked in
// process by the load and unload cycles of the level tests.
TEST(MapOption, DyingInTheMapReturnsToTheMenus) {
  std::string tmp = getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp";
  std::string map = write_temp_map("void.t3bsp", "EONL EOEL EOTC NODE 1 0 END\n");
  std::string log = tmp + "/tarvo_void_" + std::to_string(getpid()) + ".log";
  std::string script = "SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0 '" +
                       tarvo_path() + "' --map '" + map + "' > '" + log +
                       "' 2>&1 & pid=$!; i=0; while [ $i -lt 600 ] && ! grep -q pass5 '" + log +
                       "'; do sleep 0.1; i=$((i+1)); done; kill -TERM $pid; wait $pid";
  int status = std::system(script.c_str());
  std::string text = read_file_text(log);
  unlink(map.c_str());
  unlink(log.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << text.substr(text.size() > 2000 ? text.size() - 2000 : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << text.substr(text.size() > 2000 ? text.size() - 2000 : 0);
  std::string missing;
  EXPECT_TRUE(lines_in_order(
      text, {"end of branch\n", "getting a vibe!\n", "pass1\n", "pass2\n", "pass3\n", "pass4\n", "pass5\n"},
      &missing))
      << missing;
}

}  // namespace
