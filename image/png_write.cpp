// Writing images as PNG files through libpng's simplified interface, which
// handles libpng's errors itself (no setjmp on our side).
#include "image/png_write.h"

#include <png.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// libpng refuses wider or taller images; the limit also keeps the row
// stride inside an int.
constexpr int largest_side = 1000000;

void set_reason(char* reason, size_t reason_size, const char* text) {
  if (reason && reason_size > 0) snprintf(reason, reason_size, "%s", text);
}

const char* view_problem(const image_view& view) {
  if (!view.pixels) return "no pixels";
  if (view.width <= 0 || view.height <= 0) return "the image has no size";
  if (view.width > largest_side || view.height > largest_side) return "the image is too large for a PNG";
  if (view.channels != 3 && view.channels != 4) return "only RGB and RGBA images are written";
  return nullptr;
}

}  // namespace

bool image_write_png(const char* path, const image_view& view, char* reason, size_t reason_size) {
  if (const char* problem = view_problem(view)) {
    set_reason(reason, reason_size, problem);
    return false;
  }
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(view.width);
  image.height = static_cast<png_uint_32>(view.height);
  image.format = view.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  // A negative stride tells libpng that the first row in memory is the
  // bottom one.
  png_int_32 stride = view.width * view.channels;
  if (view.bottom_up) stride = -stride;

  errno = 0;
  FILE* file = fopen(path, "wb");
  if (!file) {
    set_reason(reason, reason_size, strerror(errno));
    return false;
  }
  int written = png_image_write_to_stdio(&image, file, 0, view.pixels, stride, nullptr);
  char libpng_message[sizeof image.message];
  snprintf(libpng_message, sizeof libpng_message, "%s", image.message);
  png_image_free(&image);
  bool flushed = fflush(file) == 0;
  int flush_errno = errno;
  bool closed = fclose(file) == 0;
  if (written && flushed && closed) return true;

  if (!written)
    set_reason(reason, reason_size, libpng_message[0] ? libpng_message : "libpng failed");
  else
    set_reason(reason, reason_size, strerror(flushed ? errno : flush_errno));
  remove(path);
  return false;
}
