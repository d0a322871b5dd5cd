// Turning one WebP image file into an OpenGL texture.
#pragma once
#include <cstdint>

// Loads the image at `path` (relative to the current directory) into a new
// 2-D texture with nearest filtering, with all mipmap levels when `mipmaps`
// is set. The image's top row is the texture's first row. Returns the GL
// texture name, or 0 when the file cannot be opened or does not decode.
uint32_t load_texture(const char* path, bool mipmaps);
