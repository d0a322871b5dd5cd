// The bitmap font: glyph cells in two 8 x 8 images, monospaced text, and
// formatting numbers into fixed buffers.
#include "render/text.h"

#include <cstdarg>
#include <cstdio>

#include "app/texture_table.h"
#include "render/draw_2d.h"

namespace {

constexpr int cells_per_side = 8;
constexpr int cells_per_image = cells_per_side * cells_per_side;

// The screen square's right edge: a line that would run past it is drawn
// smaller, from the same place, so that it ends there.
constexpr double right_edge = 1.0;

// The characters up to the last one that draws a glyph: trailing blanks take
// no room on screen.
size_t shown_length(const char* text, size_t count) {
  size_t shown = 0;
  for (size_t k = 0; k < count && text[k] != '\0'; ++k) {
    glyph_cell cell;
    if (glyph_cell_of(static_cast<unsigned char>(text[k]), &cell)) shown = k + 1;
  }
  return shown;
}

}  // namespace

font_pair hud_font(const texture_table& textures) {
  return font_pair{textures.slots[tex_font_1], textures.slots[tex_font_2]};
}

bool glyph_cell_of(unsigned char c, glyph_cell* out) {
  if (c < 33 || c > 126) return false;
  int index = c - 33;
  out->image = index < cells_per_image ? 0 : 1;
  int in_image = index % cells_per_image;
  out->column = in_image % cells_per_side;
  out->row = (in_image / cells_per_side) % cells_per_side;
  return true;
}

void draw_glyph(const font_pair& font, unsigned char c, double x, double y, double size) {
  glyph_cell cell;
  if (!glyph_cell_of(c, &cell)) return;
  uint32_t texture = cell.image == 0 ? font.first : font.second;
  double step = 1.0 / cells_per_side;
  draw_image_quad(texture, x, y, size, size, cell.column * step, (cell.column + 1) * step, cell.row * step,
                  (cell.row + 1) * step);
}

void draw_text_n(const font_pair& font, const char* text, size_t count, double x, double y, double size) {
  size_t shown = shown_length(text, count);
  if (shown > 0 && x < right_edge && x + static_cast<double>(shown) * size > right_edge)
    size = (right_edge - x) / static_cast<double>(shown);
  for (size_t k = 0; k < count && text[k] != '\0'; ++k)
    draw_glyph(font, static_cast<unsigned char>(text[k]), x + static_cast<double>(k) * size, y, size);
}

void draw_text(const font_pair& font, const char* text, double x, double y, double size) {
  draw_text_n(font, text, static_cast<size_t>(-1), x, y, size);
}

int format_text(char* buffer, size_t size, const char* format, ...) {
  if (size == 0) return 0;
  va_list args;
  va_start(args, format);
  int n = vsnprintf(buffer, size, format, args);
  va_end(args);
  if (n < 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(n) < size ? n : static_cast<int>(size - 1);
}
