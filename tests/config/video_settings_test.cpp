// Video settings derived from the variables.
#include "config/video_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "config/config_table.h"
#include "tests/support/capture_stdout.h"

namespace {

video_settings with(const char* name, int value) {
  config_table table{};
  set_config_defaults(table);
  config_find(table, name)->value.as_int = value;
  return apply_video_vars(table);
}

}  // namespace

TEST(VideoSettings, ModesOutsideTheTableGive320x200) {
  for (int mode : {0, 17, -1, 1000}) {
    video_settings video = with("vid_mode", mode);
    EXPECT_EQ(video.width, 320) << mode;
    EXPECT_EQ(video.height, 200) << mode;
  }
  video_settings video = with("vid_mode", 16);
  EXPECT_EQ(video.width, 1920);
  EXPECT_EQ(video.height, 1080);
  video = with("vid_mode", 9);
  EXPECT_EQ(video.width, 512);
  EXPECT_EQ(video.height, 288);
}

TEST(VideoSettings, TickStepIsTheReciprocalOfVidFps) {
  EXPECT_DOUBLE_EQ(with("vid_fps", 60).tick_step, 1.0 / 60.0);
  EXPECT_DOUBLE_EQ(with("vid_fps", 1).tick_step, 1.0);
}

TEST(VideoSettings, VidFpsOfZeroOrBelowFallsBackAndIsLogged) {
  for (int fps : {0, -5}) {
    capture_stdout_begin();
    video_settings video = with("vid_fps", fps);
    std::string log = capture_stdout_end();
    EXPECT_DOUBLE_EQ(video.tick_step, 1.0 / fallback_fps) << fps;
    EXPECT_NE(log.find("vid_fps " + std::to_string(fps) + " rejected"), std::string::npos) << log;
  }
}

TEST(VideoSettings, VsyncAndFlagsFollowTheVariables) {
  EXPECT_EQ(with("vid_vsync", 0).vsync, 0);
  EXPECT_EQ(with("vid_vsync", 1).vsync, 1);
  EXPECT_EQ(with("vid_vsync", 2).vsync, 1);
  EXPECT_EQ(with("vid_vsync", -1).vsync, 0);
  config_table defaults{};
  set_config_defaults(defaults);
  EXPECT_EQ(apply_video_vars(defaults).vsync, 1);
  EXPECT_EQ(with("vid_fullscreen", 0).fullscreen, 0);
  EXPECT_EQ(with("vid_fullscreen", 5).fullscreen, 1);
  EXPECT_EQ(with("vid_fov", 75).fov, 75);
  EXPECT_EQ(with("vid_render_distance", 300).render_distance, 300);
}

TEST(VideoSettings, ApplyIntoLeavesCountersAndDesktopAlone) {
  config_table table{};
  set_config_defaults(table);
  video_settings video{};
  video.frame_counter = 7;
  video.fps_time = 0.5;
  video.fps_value = 59;
  video.desktop_width = 1920;
  video.desktop_height = 1200;
  apply_video_vars_into(table, video);
  EXPECT_EQ(video.frame_counter, 7);
  EXPECT_EQ(video.fps_time, 0.5);
  EXPECT_EQ(video.fps_value, 59);
  EXPECT_EQ(video.desktop_width, 1920);
  EXPECT_EQ(video.desktop_height, 1200);
  EXPECT_EQ(video.width, 1024);  // vid_mode 3 by default
  EXPECT_EQ(video.fov, 60);
}
