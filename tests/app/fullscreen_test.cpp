// Fullscreen on a desktop without the chosen mode: the picture keeps the
// mode's shape, centred on the screen.
#include "app/fullscreen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string fitted(int width, int height, int screen_width, int screen_height) {
  int v[4];
  fullscreen_viewport(width, height, screen_width, screen_height, v);
  return std::to_string(v[0]) + "," + std::to_string(v[1]) + " " + std::to_string(v[2]) + "x" +
         std::to_string(v[3]);
}

}  // namespace

TEST(Fullscreen, ThePictureKeepsTheChosenModesShapeOnTheDesktop) {
  // The same shape fills the screen, larger or smaller.
  EXPECT_EQ(fitted(1280, 720, 1920, 1080), "0,0 1920x1080");
  EXPECT_EQ(fitted(1920, 1080, 1280, 720), "0,0 1280x720");
  // 4:3 on a 16:10 screen: bars left and right.
  EXPECT_EQ(fitted(1024, 768, 1280, 800), "107,0 1066x800");
  // 16:9 on a 16:10 screen: bars above and below.
  EXPECT_EQ(fitted(1024, 576, 1280, 800), "0,40 1280x720");
  // 320x200 (16:10) on a 4:3 screen.
  EXPECT_EQ(fitted(320, 200, 1024, 768), "0,64 1024x640");
  // Nothing to fit: the whole drawable, never a negative or zero divisor.
  EXPECT_EQ(fitted(0, 0, 800, 600), "0,0 800x600");
  EXPECT_EQ(fitted(640, 480, 0, 0), "0,0 0x0");
  EXPECT_EQ(fitted(640, 480, -5, 600), "0,0 0x600");
}
