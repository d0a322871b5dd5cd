// Raw mouse messages into mouse_state, and the window messages.
#include <gtest/gtest.h>

#include "app/flags.h"
#include "app/raw_mouse.h"
#include "app/window_proc.h"
#include "config/mouse_state.h"
#include "platform/events.h"
#include "tests/support/capture_stdout.h"

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

TEST(RawMouse, EachMessageReplacesTheMotion) {
  mouse_state mouse{};
  read_raw_mouse(mouse, motion(5, -2));
  read_raw_mouse(mouse, motion(3, 1));
  EXPECT_EQ(mouse.x_motion, 3);
  EXPECT_EQ(mouse.y_motion, 1);
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
  // A button message carries no motion of its own: the motion becomes 0.
  read_raw_mouse(mouse, motion(4, 4));
  read_raw_mouse(mouse, buttons(mouse_left_down));
  EXPECT_EQ(mouse.x_motion, 0);
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
