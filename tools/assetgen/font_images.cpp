// Font images: each glyph of the 5 x 8 design is drawn bold across most of its 16-pixel cell,
// with a clear margin above and below and a dark rim and shadow, so text stays legible over any
// background while the current colour still tints the white strokes.
#include "tools/assetgen/font_images.h"

#include "tools/assetgen/pixel_font.h"

namespace {

// A design row's or column's pixels inside a cell, [first, last).
struct span {
  int first, last;
};

// Capitals, digits and signs stand twelve pixels tall from row 1 to the baseline at 13, their
// top, middle and bottom strokes two pixels tall; small letters keep their own strokes (rows 2,
// 4 and 6 of the design) two pixels tall between the x-height at 5 and the same baseline.
// Descenders take rows 13 and 14, so rows 0 and 15 stay clear for the rim and the lines above
// and below.
constexpr span capital_rows[glyph_rows] = {{1, 3}, {3, 5},  {5, 6},   {6, 8},
                                           {8, 9}, {9, 11}, {11, 13}, {13, 15}};
constexpr span small_rows[glyph_rows] = {{1, 3},  {3, 5},   {5, 7},   {7, 8},
                                         {8, 10}, {10, 11}, {11, 13}, {13, 15}};

// The outer and middle design columns are three pixels wide, the two between them two, so every
// vertical stroke is three pixels wide and a glyph spans pixels 1 to 13 of 16. A cell shows four
// thirds as wide as tall on the screen, so the glyphs keep their strokes and gaps in proportion.
constexpr span columns[glyph_columns] = {{1, 4}, {4, 6}, {6, 9}, {9, 11}, {11, 14}};

bool is_small_letter(int c) { return c >= 'a' && c <= 'z'; }

image glyph_strokes(int c) {
  image cell = image_make(font_cell, font_cell, clear_color());
  const span* rows = is_small_letter(c) ? small_rows : capital_rows;
  for (int r = 0; r < glyph_rows; ++r)
    for (int col = 0; col < glyph_columns; ++col)
      if (glyph_bit(c, col, r))
        fill_rect(cell, columns[col].first, rows[r].first, columns[col].last, rows[r].last,
                  color{1, 1, 1, 1});
  return cell;
}

// Every clear pixel touching a stroke (diagonals included) becomes the dark rim; the pixel below
// and right of the rim, when still clear, a softer shadow.
void draw_glyph_cell(image& img, int c, int cx, int cy) {
  image cell = glyph_strokes(c);
  image out = cell;
  for (int y = 0; y < font_cell; ++y)
    for (int x = 0; x < font_cell; ++x) {
      if (pixel_alpha(cell, x, y)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) near = pixel_alpha(cell, x + dx, y + dy) > 0;
      if (near) pixel_set(out, x, y, color{0.02f, 0.02f, 0.04f, 0.9f});
    }
  image shadowed = out;
  for (int y = 1; y < font_cell; ++y)
    for (int x = 1; x < font_cell; ++x)
      if (!pixel_alpha(out, x, y) && pixel_alpha(out, x - 1, y - 1))
        pixel_set(shadowed, x, y, color{0, 0, 0, 0.5f});
  blit(img, shadowed, cx, cy);
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
