// Turning one WebP image file into an OpenGL texture.
#include "base/texture_load.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <webp/decode.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// No image of the game comes near this; anything larger is not one.
constexpr long max_image_file_size = 256L * 1024 * 1024;

// Reads the whole file into a malloc'd buffer. Null when it cannot be
// opened (the C error print has then been made) or read.
uint8_t* read_whole_file(const char* path, size_t* size) {
  errno = 0;
  FILE* file = fopen(path, "rb");
  if (!file) {
    // The standard error-description print, on the log rather than stderr
    // so that it stays in order with the other lines.
    printf("Error: %s\n", strerror(errno));
    return nullptr;
  }
  uint8_t* data = nullptr;
  long length = -1;
  // A directory opens too, and then reports a size of LONG_MAX: only a
  // regular file of a sane size is read.
  struct stat info;
  bool regular = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
  if (regular && fseek(file, 0, SEEK_END) == 0) length = ftell(file);
  if (length > max_image_file_size) length = -1;
  if (length >= 0 && fseek(file, 0, SEEK_SET) == 0) {
    data = static_cast<uint8_t*>(malloc(length > 0 ? static_cast<size_t>(length) : 1));
    if (data && fread(data, 1, static_cast<size_t>(length), file) != static_cast<size_t>(length)) {
      free(data);
      data = nullptr;
    }
  }
  fclose(file);
  if (!data) printf("texture: cannot read \"%s\"\n", path);
  *size = data ? static_cast<size_t>(length) : 0;
  return data;
}

bool square_power_of_two(int width, int height) {
  return width == height && width > 0 && (width & (width - 1)) == 0;
}

// The whole chain made here and uploaded level by level, so the texels kept
// are the ones the GPU holds.
void upload_chain(const uint8_t* pixels, int side, texture_image* kept) {
  std::vector<uint8_t> level(pixels, pixels + static_cast<size_t>(side) * side * 4);
  if (kept) *kept = texture_image{side, side, true, {}};
  for (int index = 0;; ++index) {
    glTexImage2D(GL_TEXTURE_2D, index, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.data());
    std::vector<uint8_t> next = side > 1 ? texture_half_level(level, side) : std::vector<uint8_t>{};
    if (kept) kept->levels.push_back(std::move(level));
    if (side == 1) return;
    level = std::move(next);
    side /= 2;
  }
}

void upload(const uint8_t* pixels, int width, int height, bool mipmaps, texture_image* kept) {
  if (mipmaps) {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    if (square_power_of_two(width, height))
      upload_chain(pixels, width, kept);
    else
      gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    if (kept)
      *kept = texture_image{width,
                            height,
                            false,
                            {std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(width) * height * 4)}};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
}

}  // namespace

std::vector<uint8_t> texture_half_level(const std::vector<uint8_t>& level, int32_t side) {
  const int32_t half = side / 2;
  std::vector<uint8_t> next(static_cast<size_t>(half) * half * 4);
  auto at = [&](int32_t x, int32_t y, int k) {
    return static_cast<int>(level[(static_cast<size_t>(y) * side + x) * 4 + k]);
  };
  for (int32_t y = 0; y < half; ++y)
    for (int32_t x = 0; x < half; ++x)
      for (int k = 0; k < 4; ++k) {
        int sum = at(2 * x, 2 * y, k) + at(2 * x + 1, 2 * y, k) + at(2 * x, 2 * y + 1, k) +
                  at(2 * x + 1, 2 * y + 1, k);
        next[(static_cast<size_t>(y) * half + x) * 4 + k] = static_cast<uint8_t>((sum + 2) / 4);
      }
  return next;
}

texture_alpha_blocks texture_alpha_blocks_of(const uint8_t* rgba, int32_t width, int32_t height) {
  constexpr int32_t side = texture_alpha_block_size;
  texture_alpha_blocks b{width, height, (width + side - 1) / side, (height + side - 1) / side, {}};
  b.max_alpha.assign(static_cast<size_t>(b.columns) * b.rows, 0);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      uint8_t& block = b.max_alpha[static_cast<size_t>(y / side) * b.columns + x / side];
      block = std::max(block, rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]);
    }
  return b;
}

uint32_t load_texture(const char* path, bool mipmaps, texture_image* kept, texture_alpha_blocks* blocks) {
  if (kept) *kept = texture_image{};
  if (blocks) *blocks = texture_alpha_blocks{};
  printf("FILE: \"%s\"\n", path);
  size_t size = 0;
  uint8_t* file_data = read_whole_file(path, &size);
  if (!file_data) return 0;

  int width = 0;
  int height = 0;
  uint8_t* pixels = WebPDecodeRGBA(file_data, size, &width, &height);
  free(file_data);
  if (!pixels || width <= 0 || height <= 0) {
    // A file that is not a WebP image gives nothing to upload.
    printf("texture: \"%s\" is not a WebP image\n", path);
    WebPFree(pixels);
    return 0;
  }

  if (blocks) *blocks = texture_alpha_blocks_of(pixels, width, height);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  upload(pixels, width, height, mipmaps, kept);
  WebPFree(pixels);
  printf("sucess!\n");
  printf("got tex handle %d\n", static_cast<int>(name));
  return name;
}
