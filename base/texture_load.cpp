// Turning one WebP image file into an OpenGL texture.
#include "base/texture_load.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <webp/decode.h>

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

void upload(const uint8_t* pixels, int width, int height, bool mipmaps) {
  if (mipmaps) {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
}

}  // namespace

uint32_t load_texture(const char* path, bool mipmaps) {
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

  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  upload(pixels, width, height, mipmaps);
  WebPFree(pixels);
  printf("sucess!\n");
  printf("got tex handle %d\n", static_cast<int>(name));
  return name;
}
