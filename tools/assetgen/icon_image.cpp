// The window icon: the title screen's sunset behind a big "T", on a rounded tile.
#include "tools/assetgen/icon_image.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/pixel_font.h"

namespace {

constexpr int corner_radius = 12;

// Whether (x, y) lies on the rounded tile; the corners are cut by circles.
bool on_tile(int x, int y) {
  int cx = std::clamp(x, corner_radius, icon_size - 1 - corner_radius);
  int cy = std::clamp(y, corner_radius, icon_size - 1 - corner_radius);
  float dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= corner_radius * corner_radius;
}

// The title screen's sky, its sun low on the right and a dark skyline.
void sunset(image& img) {
  for (int y = 0; y < icon_size; ++y)
    for (int x = 0; x < icon_size; ++x)
      pixel_set(img, x, y, mix(rgb(0x1a0208), rgb(0xc03a10), y / float(icon_size - 1)));
  fill_ellipse(img, 44, 30, 15, 15, with_alpha(rgb(0xff8040), 0.35f));
  fill_ellipse(img, 44, 30, 11, 11, rgb(0xffb060));
  const int towers[][3] = {{0, 8, 50},  {7, 6, 44},  {12, 9, 52}, {20, 7, 47}, {26, 10, 41},
                           {35, 6, 49}, {40, 9, 45}, {48, 7, 51}, {54, 10, 43}};
  for (const auto& t : towers) fill_rect(img, t[0], t[2], t[0] + t[1], icon_size, rgb(0x12060a));
}

// The "T" of the title's lettering: 5 x 7 font pixels of 6 x 6 image pixels,
// shaded top to bottom, with a dark rim and a drop shadow.
void big_t(image& img) {
  const int scale = 6;
  const int x0 = (icon_size - glyph_columns * scale) / 2;
  const int y0 = 8;
  image layer = image_make(icon_size, icon_size, clear_color());
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < glyph_columns; ++c) {
      if (!glyph_bit('T', c, r)) continue;
      for (int yy = 0; yy < scale; ++yy) {
        color col = mix(rgb(0xfff0c0), rgb(0xe04010), (r * scale + yy) / float(7 * scale - 1));
        fill_rect(layer, x0 + c * scale, y0 + r * scale + yy, x0 + (c + 1) * scale, y0 + r * scale + yy + 1,
                  col);
      }
    }
  image shadow = layer;
  for (size_t k = 0; k < shadow.pixels.size(); k += 4)
    if (shadow.pixels[k + 3]) shadow.pixels[k] = shadow.pixels[k + 1] = shadow.pixels[k + 2] = 0;
  for (int k = 0; k < 2; ++k) add_outline(layer, rgb(0x0a0a0a));
  blit(img, shadow, 3, 3);
  blit(img, layer, 0, 0);
}

}  // namespace

image draw_icon_image(int) {
  image img = image_make(icon_size, icon_size, clear_color());
  sunset(img);
  big_t(img);
  // A thin dark rim, then everything outside the rounded tile cleared.
  for (int y = 0; y < icon_size; ++y)
    for (int x = 0; x < icon_size; ++x) {
      if (!on_tile(x, y)) {
        pixel_set(img, x, y, clear_color());
      } else if (!on_tile(x - 2, y) || !on_tile(x + 2, y) || !on_tile(x, y - 2) || !on_tile(x, y + 2)) {
        pixel_set(img, x, y, rgb(0x0a0a0a));
      }
    }
  return img;
}
