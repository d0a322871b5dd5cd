// Drawing a large HUD image only where it can show. The weapon image
// covers the whole screen but shows the gun in a corner of it: under the
// HUD's alpha test every other texel is dropped after it was fetched and
// tested, which costs as much as drawing the scene again. Knowing which
// blocks of the image hold a texel that can pass the test, only those
// blocks are drawn, with the texture coordinates the whole quad gives them.
#pragma once
#include <cstdint>
#include <vector>

#include "base/texture_table.h"

// The blocks of one image that can show.
struct image_coverage {
  uint32_t texture;  // the GL texture it was read from; 0 when not made yet
  int32_t width, height;
  int32_t columns, rows;       // blocks across and down
  std::vector<uint8_t> shows;  // per block, row by row from the top: 1 when some texel can pass
  bool usable;                 // the image's alpha was kept at load; otherwise the whole quad is drawn
};

// One coverage per texture slot, made the first time the slot is drawn and
// again when the slot holds another texture (after a video restart).
struct image_coverage_cache {
  std::vector<image_coverage> slots;
};

// Texels of this side make up one block.
constexpr int32_t image_block_size = texture_alpha_block_size;

// The blocks of texture `texture` that hold a texel whose alpha can pass
// the HUD's alpha test (above 0.1; texels at 20 of 255 or less are taken as
// dropped, with room for rounding), from the alpha summary kept when it was
// loaded. The catalogue's images are sampled nearest, so a pixel shows
// exactly one texel. Not usable without a summary.
image_coverage image_coverage_read(uint32_t texture, const texture_alpha_blocks& blocks);

// Draws the whole image of slot `slot` upright over the rectangle from
// (x, y) to (x + width, y + height), as draw_image_quad(texture, x, y,
// width, height, 0, 1, 0, 1) does, but only the blocks that can show. Only
// valid with the alpha test on at 0.1 or above, as in the HUD.
void draw_image_shown(image_coverage_cache& cache, const texture_table& textures, int32_t slot, double x,
                      double y, double width, double height);
