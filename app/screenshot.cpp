// Screenshots of the frame just drawn.
#include "app/screenshot.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "app/game_state.h"
#include "config/user_folder.h"
#include "image/png_write.h"
#include "platform/directory.h"
#include "platform/keyboard.h"
#include "platform/window.h"

namespace {

// The F12 key's virtual-key code.
constexpr int vk_f12 = 0x7B;
constexpr size_t path_size = 4096;

// The F12 screenshot's file: in the folder the game runs in (the data
// folder's parent), or in the user's data folder when that cannot be
// written or data/ itself cannot (an installed game). Leaves the absolute
// path in `out`.
bool f12_path(char* out, size_t size) {
  char folder[path_size];
  if (!user_folder_active() && platform_get_current_directory(folder, sizeof folder) &&
      screenshot_free_name(folder, out, size))
    return true;
  if (platform_user_data_directory(folder, sizeof folder) && screenshot_free_name(folder, out, size))
    return true;
  printf("screenshot: no folder to write to (neither the game's folder nor the user's data folder)\n");
  return false;
}

void f12_screenshot(int width, int height) {
  char path[path_size];
  if (!f12_path(path, sizeof path)) return;
  if (screenshot_write(path, width, height)) printf("screenshot: wrote %s\n", path);
}

}  // namespace

bool screenshot_write(const char* path, int width, int height) {
  if (width <= 0 || height <= 0) {
    printf("screenshot: cannot write %s: the window has no size\n", path);
    return false;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  char reason[160] = "";
  // OpenGL gives the bottom row first.
  if (image_write_png(path, image_view{pixels.data(), width, height, 3, true}, reason, sizeof reason))
    return true;
  printf("screenshot: cannot write %s: %s\n", path, reason);
  return false;
}

bool screenshot_free_name(const char* folder, char* out, size_t size) {
  char directory[path_size];
  int n = snprintf(directory, sizeof directory, "%s/screenshots", folder);
  if (n < 0 || static_cast<size_t>(n) >= sizeof directory) return false;
  if (!platform_make_directories(directory) || access(directory, W_OK) != 0) return false;
  for (int number = 0; number <= 9999; ++number) {
    n = snprintf(out, size, "%s/tarvo-%04d.png", directory, number);
    if (n < 0 || static_cast<size_t>(n) >= size) return false;
    if (access(out, F_OK) != 0) return true;
  }
  printf("screenshot: %s is full (tarvo-0000.png to tarvo-9999.png exist)\n", directory);
  return false;
}

void screenshots_after_tick(frame_capture& capture, const game_options& options, platform_window* window) {
  capture.ticks_run += 1;
  int width = 0;
  int height = 0;
  if (window) platform_window_size(window, &width, &height);
  for (int32_t i = 0; i < options.screenshot_count; ++i) {
    const screenshot_request& request = options.screenshots[i];
    if (request.tick != capture.ticks_run) continue;
    if (screenshot_write(request.path, width, height))
      printf("screenshot: wrote %s at tick %d\n", request.path, request.tick);
  }
  bool down = platform_key_down(vk_f12);
  if (down && !capture.f12_down) f12_screenshot(width, height);
  capture.f12_down = down ? 1 : 0;
}

void screenshots_report_missed(const frame_capture& capture, const game_options& options) {
  for (int32_t i = 0; i < options.screenshot_count; ++i) {
    const screenshot_request& request = options.screenshots[i];
    if (request.tick > capture.ticks_run)
      printf("screenshot: tick %d never came (the run ended after %d); %s not written\n", request.tick,
             capture.ticks_run, request.path);
  }
}
