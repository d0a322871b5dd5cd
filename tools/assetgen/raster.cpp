// 2-D drawing primitives on RGBA images: pixels, shapes, outlines and copies.
#include "tools/assetgen/raster.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t to_byte(float v) {
  v = std::min(1.0f, std::max(0.0f, v));
  return (uint8_t)std::lround(v * 255.0f);
}

// Coverage-free shape fill helper: runs fn(x, y) over the clipped bounding box.
template <typename F>
void for_box(image& img, float x0, float y0, float x1, float y1, F fn) {
  int ix0 = std::max(0, (int)std::floor(x0));
  int iy0 = std::max(0, (int)std::floor(y0));
  int ix1 = std::min(img.width - 1, (int)std::ceil(x1));
  int iy1 = std::min(img.height - 1, (int)std::ceil(y1));
  for (int y = iy0; y <= iy1; ++y)
    for (int x = ix0; x <= ix1; ++x) fn(x, y);
}

}  // namespace

color rgb(uint32_t hex) {
  return color{((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, 1.0f};
}

color with_alpha(color c, float a) {
  c.a = a;
  return c;
}

color mix(color a, color b, float t) {
  return color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

color scale_rgb(color c, float k) {
  return color{std::min(1.0f, c.r * k), std::min(1.0f, c.g * k), std::min(1.0f, c.b * k), c.a};
}

color clear_color() { return color{0, 0, 0, 0}; }

image image_make(int width, int height, color fill) {
  image img;
  img.width = width;
  img.height = height;
  img.pixels.resize((size_t)width * height * 4);
  uint8_t px[4] = {to_byte(fill.r), to_byte(fill.g), to_byte(fill.b), to_byte(fill.a)};
  for (size_t i = 0; i < img.pixels.size(); i += 4) std::copy(px, px + 4, &img.pixels[i]);
  return img;
}

color pixel_get(const image& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height) return clear_color();
  const uint8_t* p = &img.pixels[((size_t)y * img.width + x) * 4];
  return color{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
}

int pixel_alpha(const image& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height) return 0;
  return img.pixels[((size_t)y * img.width + x) * 4 + 3];
}

void pixel_set(image& img, int x, int y, color c) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
  uint8_t* p = &img.pixels[((size_t)y * img.width + x) * 4];
  p[0] = to_byte(c.r);
  p[1] = to_byte(c.g);
  p[2] = to_byte(c.b);
  p[3] = to_byte(c.a);
}

void pixel_blend(image& img, int x, int y, color c) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height || c.a <= 0.0f) return;
  color d = pixel_get(img, x, y);
  float a = c.a + d.a * (1.0f - c.a);
  if (a <= 0.0f) return;
  color o{(c.r * c.a + d.r * d.a * (1.0f - c.a)) / a, (c.g * c.a + d.g * d.a * (1.0f - c.a)) / a,
          (c.b * c.a + d.b * d.a * (1.0f - c.a)) / a, a};
  pixel_set(img, x, y, o);
}

void fill_rect(image& img, int x0, int y0, int x1, int y1, color c) {
  for (int y = std::max(0, y0); y < std::min(img.height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(img.width, x1); ++x) pixel_blend(img, x, y, c);
}

void fill_rect_vgradient(image& img, int x0, int y0, int x1, int y1, color top, color bottom) {
  int h = std::max(1, y1 - y0 - 1);
  for (int y = std::max(0, y0); y < std::min(img.height, y1); ++y) {
    color c = mix(top, bottom, (float)(y - y0) / h);
    for (int x = std::max(0, x0); x < std::min(img.width, x1); ++x) pixel_blend(img, x, y, c);
  }
}

void fill_ellipse(image& img, float cx, float cy, float rx, float ry, color c) {
  if (rx <= 0 || ry <= 0) return;
  for_box(img, cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1, [&](int x, int y) {
    float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
    if (dx * dx + dy * dy <= 1.0f) pixel_blend(img, x, y, c);
  });
}

void fill_ring(image& img, float cx, float cy, float r0, float r1, color c) {
  for_box(img, cx - r1 - 1, cy - r1 - 1, cx + r1 + 1, cy + r1 + 1, [&](int x, int y) {
    float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
    float d = std::sqrt(dx * dx + dy * dy);
    if (d >= r0 && d <= r1) pixel_blend(img, x, y, c);
  });
}

void draw_line(image& img, float x0, float y0, float x1, float y1, float width, color c) {
  float r = width * 0.5f;
  float vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
  for_box(img, std::min(x0, x1) - r - 1, std::min(y0, y1) - r - 1, std::max(x0, x1) + r + 1,
          std::max(y0, y1) + r + 1, [&](int x, int y) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? std::min(1.0f, std::max(0.0f, (px * vx + py * vy) / len2)) : 0.0f;
            float dx = px - t * vx, dy = py - t * vy;
            if (dx * dx + dy * dy <= r * r) pixel_blend(img, x, y, c);
          });
}

void fill_polygon(image& img, const float* xy, int n, color c) {
  if (n < 3) return;
  float minx = xy[0], maxx = xy[0], miny = xy[1], maxy = xy[1];
  for (int i = 1; i < n; ++i) {
    minx = std::min(minx, xy[2 * i]);
    maxx = std::max(maxx, xy[2 * i]);
    miny = std::min(miny, xy[2 * i + 1]);
    maxy = std::max(maxy, xy[2 * i + 1]);
  }
  for_box(img, minx, miny, maxx, maxy, [&](int x, int y) {
    float px = x + 0.5f, py = y + 0.5f;
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
      float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
      if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
    }
    if (inside) pixel_blend(img, x, y, c);
  });
}

void add_outline(image& img, color outline) {
  image src = img;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      if (pixel_alpha(src, x, y) > 25) continue;
      if (pixel_alpha(src, x - 1, y) > 25 || pixel_alpha(src, x + 1, y) > 25 ||
          pixel_alpha(src, x, y - 1) > 25 || pixel_alpha(src, x, y + 1) > 25)
        pixel_set(img, x, y, outline);
    }
}

void mirror_columns(image& img, int x0, int x1) {
  for (int y = 0; y < img.height; ++y)
    for (int a = x0, b = x1 - 1; a < b; ++a, --b)
      for (int k = 0; k < 4; ++k)
        std::swap(img.pixels[((size_t)y * img.width + a) * 4 + k],
                  img.pixels[((size_t)y * img.width + b) * 4 + k]);
}

void rotate_half_turn(image& img) {
  size_t n = (size_t)img.width * img.height;
  for (size_t i = 0, j = n - 1; i < j; ++i, --j)
    for (int k = 0; k < 4; ++k) std::swap(img.pixels[i * 4 + k], img.pixels[j * 4 + k]);
}

void blit(image& dst, const image& src, int x, int y) { blit_scaled(dst, src, x, y, src.width, src.height); }

void blit_scaled(image& dst, const image& src, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      pixel_blend(dst, x + i, y + j, pixel_get(src, i * src.width / w, j * src.height / h));
}

void harden_alpha(image& img, int threshold) {
  for (size_t i = 3; i < img.pixels.size(); i += 4) img.pixels[i] = img.pixels[i] < threshold ? 0 : 255;
}
