// The message pump on SDL's event queue.
#include "platform/events.h"

#include <SDL.h>

namespace {

// Turns one mouse event into a raw mouse message.
void read_mouse(const SDL_Event& sdl, platform_event* event) {
  event->kind = platform_event_mouse;
  if (sdl.type == SDL_MOUSEMOTION) {
    event->has_motion = 1;
    event->mouse_dx = sdl.motion.xrel;
    event->mouse_dy = sdl.motion.yrel;
    return;
  }
  bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
  if (sdl.button.button == SDL_BUTTON_LEFT) event->mouse_buttons = down ? mouse_left_down : mouse_left_up;
  if (sdl.button.button == SDL_BUTTON_RIGHT) event->mouse_buttons = down ? mouse_right_down : mouse_right_up;
}

}  // namespace

bool platform_poll_event(platform_event* event) {
  SDL_Event sdl;
  if (!SDL_PollEvent(&sdl)) return false;
  *event = platform_event{};
  event->kind = platform_event_other;
  switch (sdl.type) {
    case SDL_QUIT:
      event->kind = platform_event_quit;
      break;
    case SDL_WINDOWEVENT:
      if (sdl.window.event == SDL_WINDOWEVENT_CLOSE) event->kind = platform_event_close_request;
      if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) event->kind = platform_event_focus_gained;
      if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_LOST) event->kind = platform_event_focus_lost;
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      read_mouse(sdl, event);
      break;
    default:
      break;
  }
  return true;
}

void platform_capture_mouse(bool on) {
  SDL_bool want = on ? SDL_TRUE : SDL_FALSE;
  if (SDL_GetRelativeMouseMode() != want) SDL_SetRelativeMouseMode(want);
}
