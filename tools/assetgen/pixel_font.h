// Tarvo's own 5 x 8 pixel font: glyph bitmaps for characters 33 to 126 and a small label printer.
#pragma once

#include "tools/assetgen/raster.h"

// Number of pixel columns and rows of one glyph design; rows 0-6 hold capitals, row 7 descenders.
constexpr int glyph_columns = 5;
constexpr int glyph_rows = 8;

// Whether the glyph of character c has its pixel at (column, row) set; false outside 33 to 126.
bool glyph_bit(int c, int column, int row);

// Prints text at (x, y) with one image pixel per font pixel, 6 pixels per character and a dark
// shadow, for labels on the contact sheet. Returns the x after the last character.
int draw_label(image& img, int x, int y, const char* text, color ink);
