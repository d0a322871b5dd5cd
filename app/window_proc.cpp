// The handler of the window's messages.
#include "app/window_proc.h"

#include <cstdio>

#include "base/flags.h"

int window_proc(const platform_event& event) {
  switch (event.kind) {
    case platform_event_focus_gained:
      window_focus_flag = 1;
      return 0;
    case platform_event_focus_lost:
      window_focus_flag = 0;
      return 0;
    case platform_event_close_request:
      printf("whoops\n");
      quit_flag = 1;
      return 0;
    case platform_event_mouse:
      return 0;
    default:
      return 1;  // left to the platform's default handling
  }
}
