// Fullscreen on the desktop: the fitted picture and Alt+Enter.
#include "app/fullscreen.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/game_state.h"
#include "base/flags.h"
#include "platform/keyboard.h"
#include "platform/window.h"

namespace {

// The Alt key's virtual-key code.
constexpr int vk_alt = 0x12;

}  // namespace

void fullscreen_viewport(int width, int height, int screen_width, int screen_height, int out[4]) {
  out[0] = out[1] = 0;
  out[2] = screen_width > 0 ? screen_width : 0;
  out[3] = screen_height > 0 ? screen_height : 0;
  if (width <= 0 || height <= 0 || out[2] == 0 || out[3] == 0) return;
  // Compared as whole products, so an exact fit leaves no stray pixel.
  long long wide = static_cast<long long>(width) * screen_height;
  long long tall = static_cast<long long>(height) * screen_width;
  if (wide > tall) {
    out[3] = static_cast<int>(wide > 0 ? static_cast<long long>(screen_width) * height / width : 0);
    out[1] = (screen_height - out[3]) / 2;
  } else if (wide < tall) {
    out[2] = static_cast<int>(static_cast<long long>(screen_height) * width / height);
    out[0] = (screen_width - out[2]) / 2;
  }
}

void fullscreen_fit_picture(game_state& gs) {
  if (!gs.window || gs.video.fullscreen != 1) return;
  int screen_width = 0;
  int screen_height = 0;
  platform_drawable_size(gs.window, &screen_width, &screen_height);
  if (platform_window_desktop_fullscreen(gs.window))
    printf("fullscreen: no %dx%d display mode; using the desktop's %dx%d\n", gs.video.width, gs.video.height,
           screen_width, screen_height);
  int viewport[4];
  fullscreen_viewport(gs.video.width, gs.video.height, screen_width, screen_height, viewport);
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void fullscreen_toggle_pass(game_state& gs) {
  bool down = platform_key_down(vk_alt) && platform_key_down(vk_return);
  bool pressed = down && !gs.alt_enter_down;
  gs.alt_enter_down = down ? 1 : 0;
  if (!pressed) return;
  config_var& fullscreen = config_at(gs.config, cfg_vid_fullscreen);
  fullscreen.value.as_int = gs.video.fullscreen == 1 ? 0 : 1;
  printf("Alt+Enter: fullscreen %s\n", fullscreen.value.as_int ? "on" : "off");
  restart_video_flag = 1;
}
