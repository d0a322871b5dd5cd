// The --map option of the real executable.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

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
  FILE* f = fopen(log.c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  EXPECT_NE(text.find("map \"/nonexistent/level.t3bsp\" rejected: the file cannot be opened"),
            std::string::npos)
      << text;
}

}  // namespace
