// Raw mouse messages into mouse_state, and the window messages.
#include "app/raw_mouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/window_proc.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "config/config_table.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "platform/events.h"
#include "player/player.h"
#include "player/player_look.h"
#include "tests/support/capture_stdout.h"
#include "tools/assetgen/config_writer.h"

namespace {

platform_event motion(int dx, int dy) {
  platform_event event{};
  event.kind = platform_event_mouse;
  event.has_motion = 1;
  event.mouse_dx = dx;
  event.mouse_dy = dy;
  return event;
}

platform_event buttons(int bits) {
  platform_event event{};
  event.kind = platform_event_mouse;
  event.mouse_buttons = bits;
  return event;
}

}  // namespace

TEST(RawMouse, ATickSumsItsMessages) {
  mouse_state mouse{};
  read_raw_mouse(mouse, motion(5, -2));
  read_raw_mouse(mouse, motion(3, 1));
  read_raw_mouse(mouse, buttons(mouse_left_down));  // no motion of its own
  read_raw_mouse(mouse, motion(-1, 4));
  EXPECT_EQ(mouse.x_motion, 7);
  EXPECT_EQ(mouse.y_motion, 3);
  EXPECT_EQ(mouse.left, 1);

  // An absurd backlog saturates instead of wrapping round to the other way.
  mouse = mouse_state{};
  for (int i = 0; i < 4; ++i) read_raw_mouse(mouse, motion(INT32_MAX / 2 + 1, INT32_MIN / 2 - 1));
  EXPECT_EQ(mouse.x_motion, INT32_MAX);
  EXPECT_EQ(mouse.y_motion, INT32_MIN);
}

TEST(RawMouse, ShippedSpeedTurnsAFastMouseAsOneMessagePerTickDidAtSpeedOne) {
  // One second of a 1000 Hz, 800 DPI mouse swept at 10 inches a second:
  // 8000 counts in 1000 reports of 8, spread over 60 ticks by the time each
  // report arrives. Taking only the last report of a tick at m_speed 1.0
  // turned 60 x 8 = 480 degrees. Summed, the shipped m_speed (0.06 degrees
  // per count, the tick rate over the report rate) turns the same sweep by
  // the same amount.
  std::string path = std::string(testing::TempDir()) + "shipped_mouse.cfg";
  ASSERT_TRUE(write_shipped_config(path.c_str()));
  config_table config{};
  set_config_defaults(config);
  capture_stdout_begin();
  read_config_file_at(config, path.c_str());
  capture_stdout_end();
  int fps = config_find(config, "vid_fps")->value.as_int;
  ASSERT_EQ(fps, 60);
  EXPECT_DOUBLE_EQ(config_find(config, "m_speed")->value.as_double, 0.06);

  player p{};
  player_init(p, config);
  key_state keys{};
  mouse_state mouse{};
  const int reports = 1000;
  const int counts_per_report = 8;
  double turned = 0.0;
  int report = 0;
  for (int tick = 1; tick <= fps; ++tick) {
    // Reports whose time (report / 1000 s) falls before the tick's end.
    while (report < reports && report * fps < tick * reports) {
      read_raw_mouse(mouse, motion(counts_per_report, 0));
      ++report;
    }
    double before = p.yaw;
    player_look(p, keys, 1.0 / fps, mouse);
    double step = before - p.yaw;  // positive x motion turns yaw down
    if (step < -180.0) step += 360.0;
    turned += step;
    mouse.x_motion = 0;
    mouse.y_motion = 0;
  }
  EXPECT_EQ(report, reports);
  EXPECT_NEAR(turned, 480.0, 1e-6);
}

TEST(RawMouse, ButtonsKeepTheirPreviousValues) {
  mouse_state mouse{};
  read_raw_mouse(mouse, buttons(mouse_left_down));
  EXPECT_EQ(mouse.left, 1);
  EXPECT_EQ(mouse.left_previous, 0);
  read_raw_mouse(mouse, buttons(mouse_right_down));
  EXPECT_EQ(mouse.left, 1);
  EXPECT_EQ(mouse.left_previous, 1);
  EXPECT_EQ(mouse.right, 1);
  EXPECT_EQ(mouse.right_previous, 0);
  read_raw_mouse(mouse, buttons(mouse_left_up | mouse_right_up));
  EXPECT_EQ(mouse.left, 0);
  EXPECT_EQ(mouse.right, 0);
  EXPECT_EQ(mouse.right_previous, 1);
  // A button message carries no motion of its own and leaves the tick's sum.
  read_raw_mouse(mouse, motion(4, 4));
  read_raw_mouse(mouse, buttons(mouse_left_down));
  EXPECT_EQ(mouse.x_motion, 4);
}

TEST(WindowProc, FocusAndCloseRequest) {
  reset_program_flags();
  platform_event event{};
  event.kind = platform_event_focus_lost;
  EXPECT_EQ(window_proc(event), 0);
  EXPECT_EQ(window_focus_flag, 0);
  event.kind = platform_event_focus_gained;
  window_proc(event);
  EXPECT_EQ(window_focus_flag, 1);

  event.kind = platform_event_close_request;
  capture_stdout_begin();
  EXPECT_EQ(window_proc(event), 0);
  std::string log = capture_stdout_end();
  EXPECT_EQ(log, "whoops\n");
  EXPECT_EQ(quit_flag, 1);
  reset_program_flags();
}
