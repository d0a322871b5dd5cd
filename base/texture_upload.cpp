// The GPU side of textures the level owns.
#include "base/texture_upload.h"

#include <GL/gl.h>

#include <cstddef>

std::vector<uint8_t> light_map_texels(const uint8_t* alpha, int32_t rows, int32_t cols) {
  const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(cols);
  std::vector<uint8_t> rgba(count * 4, 0);
  for (size_t i = 0; i < count; ++i) rgba[i * 4 + 3] = alpha[i];
  return rgba;
}

uint32_t light_map_upload(const uint8_t* alpha, int32_t rows, int32_t cols) {
  std::vector<uint8_t> rgba = light_map_texels(alpha, rows, cols);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, cols, rows, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

void texture_release(uint32_t name) {
  if (!name) return;
  GLuint gl_name = name;
  glDeleteTextures(1, &gl_name);
}
