// Writing images as PNG files through libpng: the game's screenshots, the
// asset generator's contact sheet and the map compiler's previews.
#pragma once
#include <cstddef>
#include <cstdint>

// Pixels to write: 8 bits per channel, 3 channels (RGB) or 4 (RGBA), rows
// packed without padding. Rows run from the top unless `bottom_up` is set
// (as OpenGL reads back a frame).
struct image_view {
  const uint8_t* pixels;
  int width;
  int height;
  int channels;
  bool bottom_up;
};

// Writes `view` as a PNG file at `path`, replacing any file there. False
// when the image is not one it can write (no pixels, a size of 0 or one too
// large, a channel count other than 3 or 4) or the file cannot be written;
// the reason then goes into `reason` (reason_size bytes, terminated) when
// one is given, and no partial file is left behind.
bool image_write_png(const char* path, const image_view& view, char* reason = nullptr,
                     size_t reason_size = 0);
