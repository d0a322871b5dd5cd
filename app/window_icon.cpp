// The icon the desktop shows for the game's window.
#include "app/window_icon.h"

#include <sys/stat.h>
#include <webp/decode.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/window.h"

const char window_icon_path[] = "data/textures/icon.webp";

namespace {

// An icon file is a few kilobytes; anything much larger is not one.
constexpr long max_icon_file_size = 1L << 20;

// The whole file, or an empty vector when it is missing, not a regular
// file, empty, too large or unreadable.
std::vector<uint8_t> read_icon_file(const char* path) {
  std::vector<uint8_t> bytes;
  FILE* file = fopen(path, "rb");
  if (!file) return bytes;
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
      info.st_size <= max_icon_file_size) {
    bytes.resize(static_cast<size_t>(info.st_size));
    if (fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  }
  fclose(file);
  return bytes;
}

}  // namespace

void set_window_icon(platform_window* window) {
  if (!window) return;
  std::vector<uint8_t> bytes = read_icon_file(window_icon_path);
  if (bytes.empty()) {
    printf("icon: cannot read \"%s\", the window keeps the default icon\n", window_icon_path);
    return;
  }
  int width = 0;
  int height = 0;
  if (!WebPGetInfo(bytes.data(), bytes.size(), &width, &height) || width > window_icon_max_side ||
      height > window_icon_max_side) {
    printf("icon: \"%s\" is not a WebP image of at most %d x %d, the window keeps the default icon\n",
           window_icon_path, window_icon_max_side, window_icon_max_side);
    return;
  }
  uint8_t* rgba = WebPDecodeRGBA(bytes.data(), bytes.size(), &width, &height);
  if (!rgba) {
    printf("icon: \"%s\" does not decode, the window keeps the default icon\n", window_icon_path);
    return;
  }
  if (!platform_set_window_icon(window, rgba, width, height)) printf("icon: %s\n", platform_error());
  WebPFree(rgba);
}
