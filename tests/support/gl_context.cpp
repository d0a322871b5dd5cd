// A real OpenGL context for tests, through SDL's offscreen driver.
#include "tests/support/gl_context.h"

#include "platform/window.h"

bool test_gl_context() {
  static platform_window* window = nullptr;
  static bool made = false;
  if (made) return window != nullptr;
  made = true;
  if (!platform_init()) return false;
  window = platform_create_window("tarvo test", 256, 256, false, true);
  if (window && !platform_create_gl_context(window)) {
    platform_destroy_window(window);
    window = nullptr;
  }
  return window != nullptr;
}
