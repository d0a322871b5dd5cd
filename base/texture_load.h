// Turning one WebP image file into an OpenGL texture.
#pragma once
#include <cstdint>
#include <vector>

// A loaded texture's texels kept on the CPU, exactly as the GPU holds them:
// RGBA bytes of each level, level 0 first (the whole mipmap chain down to
// 1 x 1 when the texture has mipmaps). Empty when none were kept.
struct texture_image {
  int32_t width;
  int32_t height;
  bool mipmapped;
  std::vector<std::vector<uint8_t>> levels;
};

// Texels of this side make up one block of texture_alpha_blocks.
constexpr int32_t texture_alpha_block_size = 8;

// A summary of an image's alpha kept at load: per block of
// texture_alpha_block_size texels on a side (row by row from the top; the
// last row and column of blocks cut by the image's edge), the largest alpha
// in it. Empty (no blocks) when none was kept.
struct texture_alpha_blocks {
  int32_t width, height;  // of the image, in texels
  int32_t columns, rows;  // blocks across and down
  std::vector<uint8_t> max_alpha;
};

// The alpha blocks of an RGBA image of width x height texels.
texture_alpha_blocks texture_alpha_blocks_of(const uint8_t* rgba, int32_t width, int32_t height);

// Loads the image at `path` (relative to the current directory) into a new
// 2-D texture with nearest filtering, with all mipmap levels when `mipmaps`
// is set. The image's top row is the texture's first row. Returns the GL
// texture name, or 0 when the file cannot be opened or does not decode.
// With `kept`, the texels go there too (left empty for an image whose
// mipmaps only GLU can make: one that is not a square of a power of two).
// With `blocks`, the summary of its alpha goes there.
uint32_t load_texture(const char* path, bool mipmaps, texture_image* kept = nullptr,
                      texture_alpha_blocks* blocks = nullptr);

// The next mipmap level of a square RGBA level of side `side` (a power of
// two above 1): each texel the rounded mean of the 2 x 2 it covers, as
// gluBuild2DMipmaps makes it.
std::vector<uint8_t> texture_half_level(const std::vector<uint8_t>& level, int32_t side);
