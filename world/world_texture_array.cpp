// The level's opaque world textures copied into one array texture.
#include "world/world_texture_array.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What makes a texture fit a layer: its level-0 size, its number of
// levels and its filtering.
struct texture_shape {
  GLint width = 0, height = 0, levels = 0, min_filter = 0, mag_filter = 0;
};

texture_shape shape_of(uint32_t name) {
  texture_shape shape;
  if (name == 0 || !glIsTexture(name)) return shape;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &shape.min_filter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &shape.mag_filter);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &shape.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &shape.height);
  for (GLint level = 0; level < 32; ++level) {
    GLint w = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    if (w <= 0) break;
    shape.levels = level + 1;
  }
  return shape;
}

// Only a whole mipmap chain sampled nearest, as the world textures are
// loaded, is sure to sample the same from a layer.
bool layer_material(const texture_shape& s) {
  if (s.width <= 0 || s.height <= 0) return false;
  if (s.min_filter != GL_NEAREST_MIPMAP_NEAREST || s.mag_filter != GL_NEAREST) return false;
  int longest = s.width > s.height ? s.width : s.height;
  int chain = 1;
  while (longest > 1) {
    longest /= 2;
    ++chain;
  }
  return s.levels == chain;
}

bool same_shape(const texture_shape& a, const texture_shape& b) {
  return a.width == b.width && a.height == b.height && a.levels == b.levels;
}

bool driver_has_arrays() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version && atoi(version) >= 3) return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && strstr(extensions, "GL_EXT_texture_array") != nullptr;
}

bool same_textures(const std::vector<texture_opacity_entry>& a, const std::vector<texture_opacity_entry>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].path != b[i].path) return false;
  return true;
}

}  // namespace

void world_texture_array_update(world_texture_array& array, const std::vector<texture_opacity_entry>& wanted) {
  if (!array.checked) {
    array.checked = true;
    array.supported = driver_has_arrays();
    if (!array.supported) printf("renderer: no array textures; world textures are drawn one by one\n");
  }
  if (!array.supported) return;
  if (array.texture != 0 && same_textures(wanted, array.wanted)) return;
  array.wanted = wanted;
  array.names.clear();
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  texture_shape first;
  std::vector<texture_shape> shapes;
  for (const texture_opacity_entry& e : wanted) {
    texture_shape s = shape_of(e.name);
    if (!layer_material(s)) continue;
    if (array.names.empty()) first = s;
    if (!same_shape(s, first)) continue;
    array.names.push_back(e.name);
  }
  if (array.texture == 0) glGenTextures(1, &array.texture);
  glBindTexture(GL_TEXTURE_2D_ARRAY, array.texture);
  GLsizei layers = static_cast<GLsizei>(array.names.size());
  array.width = first.width;
  array.height = first.height;
  array.levels = first.levels;
  if (layers > 0) {
    std::vector<uint8_t> texels;
    for (GLint level = 0; level < first.levels; ++level) {
      GLsizei w = first.width >> level > 0 ? first.width >> level : 1;
      GLsizei h = first.height >> level > 0 ? first.height >> level : 1;
      glTexImage3D(GL_TEXTURE_2D_ARRAY, level, GL_RGBA, w, h, layers, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
      texels.assign(static_cast<size_t>(w) * h * 4, 0);
      for (GLsizei layer = 0; layer < layers; ++layer) {
        glBindTexture(GL_TEXTURE_2D, array.names[static_cast<size_t>(layer)]);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, level, 0, 0, layer, w, h, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                        texels.data());
      }
    }
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, first.levels - 1);
  }
  glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

int32_t world_texture_array_layer(const world_texture_array& array, uint32_t name) {
  if (array.texture == 0 || name == 0) return -1;
  for (size_t i = 0; i < array.names.size(); ++i)
    if (array.names[i] == name) return static_cast<int32_t>(i);
  return -1;
}

void world_texture_array_forget_context(world_texture_array& array) {
  array.texture = 0;
  array.names.clear();
  array.wanted.clear();
  array.checked = false;
}
