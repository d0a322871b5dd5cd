// Reading one raw mouse message into mouse_state.
#include "app/raw_mouse.h"

#include <cstdint>

#include "config/mouse_state.h"
#include "platform/events.h"

namespace {

// Adds a message's counts to the tick's sum without wrapping around: a
// stalled loop that gathers an absurd amount of motion turns the view a
// long way, never the wrong way.
int32_t add_motion(int32_t sum, int delta) {
  int64_t total = static_cast<int64_t>(sum) + delta;
  if (total > INT32_MAX) return INT32_MAX;
  if (total < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(total);
}

}  // namespace

void read_raw_mouse(mouse_state& mouse, const platform_event& event) {
  mouse.left_previous = mouse.left;
  mouse.right_previous = mouse.right;
  if (event.mouse_buttons & mouse_left_down)
    mouse.left = 1;
  else if (event.mouse_buttons & mouse_left_up)
    mouse.left = 0;
  if (event.mouse_buttons & mouse_right_down)
    mouse.right = 1;
  else if (event.mouse_buttons & mouse_right_up)
    mouse.right = 0;
  // A button message carries no motion and adds nothing.
  mouse.x_motion = add_motion(mouse.x_motion, event.mouse_dx);
  mouse.y_motion = add_motion(mouse.y_motion, event.mouse_dy);
}
