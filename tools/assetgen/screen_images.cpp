// Screen pictures, 640 x 360 to match a wide window: skies, silhouettes and big lettering.
#include "tools/assetgen/screen_images.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/pixel_font.h"
#include "tools/assetgen/rng.h"

namespace {

constexpr int sw = 640, sh = 360;

// Big lettering: each font pixel a scale-sized block, shaded from top to bottom, with a dark rim
// and a drop shadow. Returns the width drawn.
int big_text(image& img, int x, int y, const char* text, int scale, color top, color bottom) {
  int adv = (glyph_columns + 1) * scale;
  image layer = image_make(img.width, img.height, clear_color());
  for (int i = 0; text[i]; ++i)
    for (int r = 0; r < glyph_rows; ++r)
      for (int c = 0; c < glyph_columns; ++c) {
        if (!glyph_bit((unsigned char)text[i], c, r)) continue;
        int x0 = x + i * adv + c * scale, y0 = y + r * scale;
        for (int yy = 0; yy < scale; ++yy) {
          float t = (r * scale + yy) / (float)(7 * scale);
          color col = mix(top, bottom, std::min(1.0f, t));
          if (yy == 0 && (r == 0 || !glyph_bit((unsigned char)text[i], c, r - 1)))
            col = scale_rgb(col, 1.35f);
          fill_rect(layer, x0, y0 + yy, x0 + scale, y0 + yy + 1, col);
        }
      }
  image shadow = layer;
  for (size_t k = 0; k < shadow.pixels.size(); k += 4)
    if (shadow.pixels[k + 3]) shadow.pixels[k] = shadow.pixels[k + 1] = shadow.pixels[k + 2] = 0;
  for (int k = 0; k < std::max(1, scale / 3); ++k) add_outline(layer, rgb(0x0a0a0a));
  blit(img, shadow, std::max(2, scale / 2), std::max(2, scale / 2));
  blit(img, layer, 0, 0);
  return (int)strlen(text) * adv;
}

void sky_gradient(image& img, color top, color bottom, uint32_t seed, float clouds, color cloud) {
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) {
      color c = mix(top, bottom, y / (float)sh);
      float n = fbm(x / (float)sw, y / (float)sh * 0.6f, 4, 5, seed);
      c = mix(c, cloud, std::max(0.0f, (n - 0.5f) * 2.5f) * clouds);
      pixel_set(img, x, y, c);
    }
}

// A skyline of towers and masts along the bottom, starting at base_y.
void skyline(image& img, int base_y, color c, uint32_t seed, bool windows) {
  rng r = rng_make(seed);
  int x = 0;
  while (x < sw) {
    int w = 18 + rng_int(r, 40), h = 30 + rng_int(r, 110);
    fill_rect(img, x, base_y - h, x + w, sh, c);
    if (rng_unit(r) < 0.3) fill_rect(img, x + w / 2 - 1, base_y - h - 30, x + w / 2 + 1, base_y - h, c);
    if (windows)
      for (int wy = base_y - h + 6; wy < base_y; wy += 9)
        for (int wx = x + 4; wx < x + w - 4; wx += 7)
          if (rng_unit(r) < 0.25) fill_rect(img, wx, wy, wx + 3, wy + 4, rgb(0xffc060));
    x += w + rng_int(r, 6);
  }
}

// A ring-shaped alien ship hanging in the sky.
void saucer(image& img, float cx, float cy, float s) {
  fill_ellipse(img, cx, cy + s * 0.5f, s * 3.2f, s * 0.5f, color{1.0f, 0.2f, 0.3f, 0.25f});
  fill_ellipse(img, cx, cy, s * 2.2f, s * 0.55f, rgb(0x2a2030));
  fill_ellipse(img, cx, cy - s * 0.35f, s * 0.9f, s * 0.5f, rgb(0x4a3a5a));
  for (int k = -3; k <= 3; ++k)
    fill_ellipse(img, cx + k * s * 0.55f, cy + s * 0.1f, s * 0.12f, s * 0.12f, rgb(0xff4060));
  fill_rect(img, (int)(cx - s * 0.25f), (int)(cy + s * 0.5f), (int)(cx + s * 0.25f), sh,
            color{1.0f, 0.15f, 0.35f, 0.12f});
}

image logo() {
  image img = image_make(sw, sh, rgb(0x000000));
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) {
      float dx = (x - sw / 2.0f) / sw, dy = (y - sh / 2.0f) / sh;
      float g = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy) * 2.2f);
      pixel_set(img, x, y, mix(rgb(0x000000), rgb(0x1a2a3a), g));
    }
  int scale = 14;
  int w = 5 * (glyph_columns + 1) * scale;
  big_text(img, (sw - w) / 2 + scale / 2, 90, "TARVO", scale, rgb(0xe8f0f8), rgb(0x4a6a8a));
  const char* sub = "3D ENGINE";
  int sw2 = (int)strlen(sub) * (glyph_columns + 1) * 4;
  big_text(img, (sw - sw2) / 2 + 2, 225, sub, 4, rgb(0xe0b030), rgb(0xa06010));
  fill_rect(img, 150, 210, 490, 213, rgb(0xe0b030));
  return img;
}

image title() {
  image img = image_make(sw, sh, clear_color());
  sky_gradient(img, rgb(0x1a0208), rgb(0x9a2e0e), 301, 0.6f, rgb(0x400810));
  // The sun and the ships stay in the top right, beyond the middle 4:3 where the menu pages
  // write: a 4:3 window shows only the middle, a wide one shows them beside the text.
  fill_ellipse(img, 606, 64, 50, 50, color{1.0f, 0.5f, 0.2f, 0.3f});
  fill_ellipse(img, 606, 64, 30, 30, rgb(0xffb060));
  saucer(img, 590, 150, 12);
  saucer(img, 40, 120, 8);
  skyline(img, 330, rgb(0x12060a), 302, true);
  fill_rect_vgradient(img, 0, 300, sw, sh, color{0, 0, 0, 0.0f}, color{0, 0, 0, 0.9f});
  // Below the lettering the picture darkens, so the pages' white text stands out anywhere on it.
  fill_rect_vgradient(img, 0, 96, sw, 150, color{0, 0, 0, 0.0f}, color{0, 0, 0, 0.45f});
  fill_rect(img, 0, 150, sw, sh, color{0, 0, 0, 0.45f});
  // The lettering keeps to the top quarter of the middle 4:3: the how-to-play and credits pages
  // write from a quarter of the way down.
  int scale = 8, w = 5 * (glyph_columns + 1) * scale;
  big_text(img, (sw - w) / 2 + scale / 2, 10, "TARVO", scale, rgb(0xfff0c0), rgb(0xe04010));
  const char* sub = "THE VOID INVASION";
  int w2 = (int)strlen(sub) * (glyph_columns + 1) * 3;
  big_text(img, (sw - w2) / 2 + 1, 72, sub, 3, rgb(0xffffff), rgb(0xc0c0c0));
  return img;
}

image story_background() {
  image img = image_make(sw, sh, clear_color());
  sky_gradient(img, rgb(0x02040c), rgb(0x0a1a2a), 401, 0.5f, rgb(0x10243a));
  fill_ellipse(img, 520, 90, 46, 46, rgb(0x1a2a3a));
  fill_ellipse(img, 510, 84, 40, 40, rgb(0x2a3a4a));
  rng r = rng_make(402);
  for (int i = 0; i < 160; ++i)
    pixel_blend(img, rng_int(r, sw), rng_int(r, sh * 2 / 3), color{1, 1, 1, (float)rng_range(r, 0.2, 0.6)});
  skyline(img, 345, rgb(0x04080c), 403, false);
  fill_rect(img, 0, 0, sw, sh, color{0, 0, 0, 0.25f});
  return img;
}

}  // namespace

image draw_screen(int k) {
  if (k == 0) return logo();
  if (k == 1) return title();
  return story_background();
}
