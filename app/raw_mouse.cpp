// Reading one raw mouse message into mouse_state.
#include "app/raw_mouse.h"

#include "config/mouse_state.h"
#include "platform/events.h"

void read_raw_mouse(mouse_state& mouse, const platform_event& event) {
  mouse.left_previous = mouse.left;
  mouse.right_previous = mouse.right;
  if (event.mouse_buttons & mouse_left_down) mouse.left = 1;
  else if (event.mouse_buttons & mouse_left_up) mouse.left = 0;
  if (event.mouse_buttons & mouse_right_down) mouse.right = 1;
  else if (event.mouse_buttons & mouse_right_up) mouse.right = 0;
  // A raw message always carries a motion, zero for a button change.
  mouse.x_motion = event.mouse_dx;
  mouse.y_motion = event.mouse_dy;
}
