// The bitmap font: glyph cells in two 8 x 8 images, monospaced text, and
// formatting numbers into fixed buffers.
#pragma once
#include <cstddef>
#include <cstdint>

struct texture_table;

// The two font images: characters 33 to 96, then 97 to 126.
struct font_pair {
  uint32_t first;
  uint32_t second;
};

// Where a character sits in the font: which image (0 or 1), column, row.
struct glyph_cell {
  int32_t image;
  int32_t column;
  int32_t row;
};

// The HUD's font, texture slots 2 and 3.
font_pair hud_font(const texture_table& textures);

// The cell of character `c`; false for characters outside 33 to 126,
// which have none.
bool glyph_cell_of(unsigned char c, glyph_cell* out);

// Draws character `c` as an upright square of side `size` with its lower
// left corner at (x, y); characters without a cell draw nothing.
void draw_glyph(const font_pair& font, unsigned char c, double x, double y, double size);

// Draws the first `count` characters of `text` (fewer at a terminating
// zero), character k at (x + k * size, y). Characters without a glyph keep
// their place. A line whose last glyph would reach past the screen square's
// right edge is drawn smaller, still from (x, y), so that it ends at the
// edge instead of being cut.
void draw_text_n(const font_pair& font, const char* text, size_t count, double x, double y, double size);

// Draws a zero-terminated text as draw_text_n does. Used by the HUD and the
// screens.
void draw_text(const font_pair& font, const char* text, double x, double y, double size);

// printf-style formatting into `buffer` of `size` bytes, always terminated;
// a longer result is cut. Returns the number of characters written.
int format_text(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
