// The level's opaque world textures copied into one array texture.
#include "world_draw/world_texture_array.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Only a whole mipmap chain (kept when the texture was loaded, so it is
// sampled nearest through every level) is sure to sample the same from a
// layer.
bool layer_material(const texture_image* image) {
  if (!image || !image->mipmapped || image->width <= 0 || image->height <= 0) return false;
  int longest = image->width > image->height ? image->width : image->height;
  size_t chain = 1;
  while (longest > 1) {
    longest /= 2;
    ++chain;
  }
  return image->levels.size() == chain;
}

bool same_shape(const texture_image& a, const texture_image& b) {
  return a.width == b.width && a.height == b.height && a.levels.size() == b.levels.size();
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

void world_texture_array_update(world_texture_array& array,
                                const std::vector<texture_opacity_entry>& wanted) {
  if (!array.checked) {
    array.checked = true;
    array.supported = driver_has_arrays();
    if (!array.supported) printf("renderer: no array textures; world textures are drawn one by one\n");
  }
  if (!array.supported) return;
  if (array.texture != 0 && same_textures(wanted, array.wanted)) return;
  array.wanted = wanted;
  array.names.clear();
  const texture_image* first = nullptr;
  std::vector<const texture_image*> images;
  for (const texture_opacity_entry& e : wanted) {
    if (e.name == 0 || !layer_material(e.image)) continue;
    if (!first) first = e.image;
    if (!same_shape(*e.image, *first)) continue;
    array.names.push_back(e.name);
    images.push_back(e.image);
  }
  if (array.texture == 0) glGenTextures(1, &array.texture);
  glBindTexture(GL_TEXTURE_2D_ARRAY, array.texture);
  GLsizei layers = static_cast<GLsizei>(array.names.size());
  array.width = first ? first->width : 0;
  array.height = first ? first->height : 0;
  array.levels = first ? static_cast<int32_t>(first->levels.size()) : 0;
  if (layers > 0) {
    for (GLint level = 0; level < array.levels; ++level) {
      GLsizei w = array.width >> level > 0 ? array.width >> level : 1;
      GLsizei h = array.height >> level > 0 ? array.height >> level : 1;
      glTexImage3D(GL_TEXTURE_2D_ARRAY, level, GL_RGBA, w, h, layers, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
      for (GLsizei layer = 0; layer < layers; ++layer)
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, level, 0, 0, layer, w, h, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                        images[static_cast<size_t>(layer)]->levels[static_cast<size_t>(level)].data());
    }
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, array.levels - 1);
  }
  glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
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
