// RGBA images and the 2-D drawing primitives every family of generated images uses.
#pragma once

#include <cstdint>
#include <vector>

// A colour with straight (not premultiplied) alpha, each channel 0 to 1.
struct color {
  float r, g, b, a;
};

// An 8-bit RGBA image, rows from the top down, four bytes per pixel.
struct image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// Opaque colour from a 0xRRGGBB value.
color rgb(uint32_t hex);
// The same colour with alpha a.
color with_alpha(color c, float a);
// Linear mix from a (t = 0) to b (t = 1), alpha included.
color mix(color a, color b, float t);
// RGB scaled by k and clamped, alpha kept.
color scale_rgb(color c, float k);
// Fully transparent black.
color clear_color();

// New image of the given size filled with one colour.
image image_make(int width, int height, color fill);
// Colour of a pixel; transparent black outside the image.
color pixel_get(const image& img, int x, int y);
// Overwrites a pixel; ignored outside the image.
void pixel_set(image& img, int x, int y, color c);
// Draws c over a pixel with alpha blending; ignored outside the image.
void pixel_blend(image& img, int x, int y, color c);
// Alpha of a pixel as 0 to 255; 0 outside.
int pixel_alpha(const image& img, int x, int y);

// Blends a filled rectangle covering pixels x0 <= x < x1, y0 <= y < y1.
void fill_rect(image& img, int x0, int y0, int x1, int y1, color c);
// Blends a rectangle with a vertical gradient from top colour to bottom colour.
void fill_rect_vgradient(image& img, int x0, int y0, int x1, int y1, color top, color bottom);
// Blends a filled ellipse centred on (cx, cy) (pixel centres at half units).
void fill_ellipse(image& img, float cx, float cy, float rx, float ry, color c);
// Blends a ring between radii r0 and r1 around (cx, cy).
void fill_ring(image& img, float cx, float cy, float r0, float r1, color c);
// Blends a line of the given width with round ends.
void draw_line(image& img, float x0, float y0, float x1, float y1, float width, color c);
// Blends a filled polygon (even-odd rule) given as n (x, y) pairs.
void fill_polygon(image& img, const float* xy, int n, color c);

// Turns every transparent pixel that touches an opaque one (4-neighbourhood) into the outline colour.
void add_outline(image& img, color outline);
// Mirrors the columns x0 <= x < x1 of the image left to right, in place.
void mirror_columns(image& img, int x0, int x1);
// Rotates the image by 180 degrees in place.
void rotate_half_turn(image& img);
// Copies src over dst at (x, y) with alpha blending.
void blit(image& dst, const image& src, int x, int y);
// Copies src over dst scaled to w x h by nearest sampling, with alpha blending.
void blit_scaled(image& dst, const image& src, int x, int y, int w, int h);
// Sets every pixel with alpha below the threshold (0-255) fully transparent and the others opaque.
void harden_alpha(image& img, int threshold);
