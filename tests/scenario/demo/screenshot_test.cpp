// Screenshots: the frame read back the right way up, and the F12 names.
#include "app/screenshot.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "tests/scenario/demo/demo_rig.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"

namespace {

// The test context's window is 256 x 256.
constexpr int side = 256;

TEST(Screenshot, TheFrameJustDrawnIsWrittenTopRowFirst) {
  ASSERT_TRUE(test_gl_context());
  temp_folder folder;
  // Blue below, red in the upper quarter.
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, side * 3 / 4, side, side / 4);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);

  std::string path = folder.file("frame.png");
  capture_stdout_begin();
  bool written = screenshot_write(path.c_str(), side, side);
  std::string log = capture_stdout_end();
  ASSERT_TRUE(written) << log;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  EXPECT_EQ(image.width, static_cast<png_uint_32>(side));
  EXPECT_EQ(image.height, static_cast<png_uint_32>(side));
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  auto at = [&](int x, int y) { return &pixels[(static_cast<size_t>(y) * side + x) * 3]; };
  EXPECT_EQ(at(10, 5)[0], 255);  // the first row in the file is the top of the frame
  EXPECT_EQ(at(10, 5)[2], 0);
  EXPECT_EQ(at(200, side - 5)[0], 0);
  EXPECT_EQ(at(200, side - 5)[2], 255);

  capture_stdout_begin();
  EXPECT_FALSE(screenshot_write(folder.file("none.png").c_str(), 0, side));
  EXPECT_FALSE(screenshot_write("/nonexistent/shot.png", side, side));
  log = capture_stdout_end();
  EXPECT_NE(log.find("screenshot: cannot write " + folder.file("none.png") + ": the window has no size"),
            std::string::npos);
  EXPECT_NE(log.find("screenshot: cannot write /nonexistent/shot.png: No such file or directory"),
            std::string::npos);
}

TEST(Screenshot, F12NamesTakeTheFirstFreeNumberInAScreenshotsFolderMadeOnDemand) {
  temp_folder folder;
  char name[4096];
  ASSERT_TRUE(screenshot_free_name(folder.path.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), folder.file("screenshots/tarvo-0000.png"));
  EXPECT_TRUE(platform_is_directory(folder.file("screenshots").c_str()));
  // The name is only chosen; taking it is the writer's job.
  ASSERT_TRUE(screenshot_free_name(folder.path.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), folder.file("screenshots/tarvo-0000.png"));
  for (const char* taken : {"tarvo-0000.png", "tarvo-0001.png", "tarvo-0003.png"})
    fclose(fopen(folder.file(std::string("screenshots/") + taken).c_str(), "w"));
  ASSERT_TRUE(screenshot_free_name(folder.path.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), folder.file("screenshots/tarvo-0002.png"));

  // A game folder where no screenshots folder can be made.
  std::string file = folder.file("plain_file");
  fclose(fopen(file.c_str(), "w"));
  EXPECT_FALSE(screenshot_free_name(file.c_str(), name, sizeof name));
  // A name that does not fit.
  EXPECT_FALSE(screenshot_free_name(folder.path.c_str(), name, 20));
}

TEST(Screenshot, TheUsersDataFolderFollowsXdgThenHome) {
  std::string old_xdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
  std::string old_home = getenv("HOME") ? getenv("HOME") : "";
  char out[256];
  setenv("XDG_DATA_HOME", "/xdg/data", 1);
  setenv("HOME", "/home/player", 1);
  ASSERT_TRUE(platform_user_data_directory(out, sizeof out));
  EXPECT_STREQ(out, "/xdg/data/tarvo");
  unsetenv("XDG_DATA_HOME");
  ASSERT_TRUE(platform_user_data_directory(out, sizeof out));
  EXPECT_STREQ(out, "/home/player/.local/share/tarvo");
  EXPECT_FALSE(platform_user_data_directory(out, 10));
  unsetenv("HOME");
  EXPECT_FALSE(platform_user_data_directory(out, sizeof out));
  if (!old_xdg.empty()) setenv("XDG_DATA_HOME", old_xdg.c_str(), 1);
  if (!old_home.empty()) setenv("HOME", old_home.c_str(), 1);
}

}  // namespace
