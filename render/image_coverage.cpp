// Drawing a large HUD image only where it can show.
#include "render/image_coverage.h"

#include <GL/gl.h>

#include <algorithm>

#include "base/texture_table.h"
#include "render/draw_2d.h"

namespace {

// The largest alpha taken as dropped by the test at 0.1 (25.5 of 255),
// with room for any rounding on the way.
constexpr uint8_t dropped_alpha = 20;

void mark_blocks(image_coverage& c, const texture_alpha_blocks& blocks) {
  c.width = blocks.width;
  c.height = blocks.height;
  c.columns = blocks.columns;
  c.rows = blocks.rows;
  c.shows.resize(blocks.max_alpha.size());
  for (size_t k = 0; k < blocks.max_alpha.size(); ++k)
    c.shows[k] = blocks.max_alpha[k] > dropped_alpha ? 1 : 0;
}

// One quad per run of showing blocks along each row of blocks, each with
// the coordinates the whole image's quad has at its corners.
void draw_runs(const image_coverage& c, double x, double y, double width, double height) {
  glBegin(GL_QUADS);
  for (int32_t row = 0; row < c.rows; ++row) {
    double top_v = static_cast<double>(row * image_block_size) / c.height;
    double bottom_v = static_cast<double>(std::min((row + 1) * image_block_size, c.height)) / c.height;
    double top_y = y + height * (1.0 - top_v);
    double bottom_y = y + height * (1.0 - bottom_v);
    int32_t col = 0;
    while (col < c.columns) {
      if (!c.shows[static_cast<size_t>(row) * c.columns + col]) {
        ++col;
        continue;
      }
      int32_t first = col;
      while (col < c.columns && c.shows[static_cast<size_t>(row) * c.columns + col]) ++col;
      double left_u = static_cast<double>(first * image_block_size) / c.width;
      double right_u = static_cast<double>(std::min(col * image_block_size, c.width)) / c.width;
      double left_x = x + width * left_u;
      double right_x = x + width * right_u;
      glTexCoord2d(left_u, bottom_v);
      glVertex3d(left_x, bottom_y, 0.0);
      glTexCoord2d(right_u, bottom_v);
      glVertex3d(right_x, bottom_y, 0.0);
      glTexCoord2d(right_u, top_v);
      glVertex3d(right_x, top_y, 0.0);
      glTexCoord2d(left_u, top_v);
      glVertex3d(left_x, top_y, 0.0);
    }
  }
  glEnd();
}

}  // namespace

image_coverage image_coverage_read(uint32_t texture, const texture_alpha_blocks& blocks) {
  image_coverage c{};
  c.texture = texture;
  if (texture == 0 || blocks.max_alpha.empty()) return c;
  mark_blocks(c, blocks);
  c.usable = true;
  return c;
}

void draw_image_shown(image_coverage_cache& cache, const texture_table& textures, int32_t slot, double x,
                      double y, double width, double height) {
  if (slot < 0 || slot >= texture_slot_count) return;
  uint32_t texture = textures.slots[slot];
  if (cache.slots.size() < static_cast<size_t>(texture_slot_count)) cache.slots.resize(texture_slot_count);
  image_coverage& c = cache.slots[static_cast<size_t>(slot)];
  if (c.texture != texture) c = image_coverage_read(texture, textures.slot_blocks[slot]);
  if (!c.usable) {
    draw_image_quad(texture, x, y, width, height, 0.0, 1.0, 0.0, 1.0);
    return;
  }
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, texture);
  draw_runs(c, x, y, width, height);
  glPopMatrix();
}
