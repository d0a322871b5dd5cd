// Font images: each design pixel becomes a 2 x 2 block with a soft dark rim, so text stays legible
// over any background while the current colour still tints the white strokes.
#include "tools/assetgen/font_images.h"

#include "tools/assetgen/pixel_font.h"

namespace {

// Pixel rows of design row r inside a cell: rows 0-6 are two pixels tall from y 1, the
// descender row 7 takes the last pixel row.
void design_row_span(int r, int& y0, int& y1) {
  if (r < 7) {
    y0 = 1 + 2 * r;
    y1 = y0 + 2;
  } else {
    y0 = 15;
    y1 = 16;
  }
}

void draw_glyph_cell(image& img, int c, int cx, int cy) {
  image cell = image_make(font_cell, font_cell, clear_color());
  for (int r = 0; r < glyph_rows; ++r)
    for (int col = 0; col < glyph_columns; ++col) {
      if (!glyph_bit(c, col, r)) continue;
      int y0, y1;
      design_row_span(r, y0, y1);
      fill_rect(cell, 3 + 2 * col, y0, 5 + 2 * col, y1, color{1, 1, 1, 1});
    }
  image rim = cell;
  for (int y = 0; y < font_cell; ++y)
    for (int x = 0; x < font_cell; ++x) {
      if (pixel_alpha(cell, x, y)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) near = pixel_alpha(cell, x + dx, y + dy) > 0;
      if (near) pixel_set(rim, x, y, color{0, 0, 0, 0.6f});
    }
  blit(img, rim, cx, cy);
}

}  // namespace

image draw_font_image(int which) {
  image img = image_make(font_cell * 8, font_cell * 8, clear_color());
  int first = which == 1 ? 33 : 97, last = which == 1 ? 96 : 126;
  for (int c = first; c <= last; ++c) {
    int i = c - first;
    draw_glyph_cell(img, c, (i % 8) * font_cell, (i / 8) * font_cell);
  }
  return img;
}
