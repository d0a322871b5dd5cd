// The message pump: window messages and raw mouse input, one at a time.
#pragma once

// What one message taken from the queue is.
enum platform_event_kind {
  platform_event_quit,           // the application's quit message
  platform_event_close_request,  // the window's close button or the window manager
  platform_event_focus_gained,
  platform_event_focus_lost,
  platform_event_mouse,  // one raw mouse message: motion and/or button change
  platform_event_other,  // anything else; handled by the default handling
};

// Raw mouse button transition bits, as the raw mouse message reports them.
enum {
  mouse_left_down = 1,
  mouse_left_up = 2,
  mouse_right_down = 4,
  mouse_right_up = 8,
};

struct platform_event {
  platform_event_kind kind;
  int mouse_dx;  // relative motion of a raw mouse message
  int mouse_dy;
  int mouse_buttons;  // transition bits of a raw mouse message
  int has_motion;     // 1 when the message carried motion
  int exit_code;      // parameter of the message (the quit message's exit code)
};

// Takes the next message without waiting. False when the queue is empty.
bool platform_poll_event(platform_event* event);

// Relative mouse mode: on hides the cursor and keeps it in the window
// (the game with the console closed); off shows the arrow cursor.
void platform_capture_mouse(bool on);
