// Skies: a colour profile by height over the horizon plus clouds from noise that wraps in both
// directions. The cube's lid shows the whole picture too and meets the walls' top edges along
// the picture's first and last columns and first row, so both edge columns are one plain colour.
#include "tools/assetgen/sky_images.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/rng.h"

namespace {

constexpr int size = 256;

}  // namespace

image draw_sky(int which) {
  image img = image_make(size, size, clear_color());
  bool red = which == 2;
  color zenith = red ? rgb(0x3a0608) : rgb(0x1a3a78);
  color horizon = red ? rgb(0xd04010) : rgb(0x8ab0d8);
  color cloud_lit = red ? rgb(0xff9040) : rgb(0xf4f0ea);
  color cloud_dark = red ? rgb(0x200408) : rgb(0x6a7a98);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      // u: 0 at the top edge of a wall, 0.5 at the horizon, 1 at its bottom edge.
      float u = (x + 0.5f) / size;
      // 1 at the horizon, 0 at both edges, rounded so the horizon has no crease.
      float height = std::cos((u - 0.5f) * (float)M_PI);
      color c = mix(zenith, horizon, std::pow(height, 4.0f));
      float n = fbm(x / (float)size, y / (float)size, 4, 5, red ? 202 : 201);
      float streak = fbm(x / (float)size * 0.5f, y / (float)size, 2, 4, red ? 204 : 203);
      float cover = std::min(1.0f, std::max(0.0f, (n - 0.48f) * 3.5f));
      float shade = std::min(1.0f, std::max(0.0f, (streak - 0.35f) * 1.8f));
      // Clouds thin out toward both wall edges, which meet the lid and must be one plain colour.
      float edge_fade = std::min(1.0f, std::min(u, 1.0f - u) / 0.12f);
      c = mix(c, mix(cloud_dark, cloud_lit, shade), cover * 0.85f * edge_fade);
      if (red) {
        float ray = std::pow(std::max(0.0f, std::sin(y * (float)M_PI * 6.0f / size + n * 3.0f)), 12.0f);
        c = mix(c, rgb(0xff2050), ray * height * height * 0.5f);
      }
      pixel_set(img, x, y, c);
    }
  rng r = rng_make(red ? 212 : 211);
  for (int i = 0; i < 70; ++i) {
    int x = size / 12 + rng_int(r, size / 6), y = rng_int(r, size);
    color star = red ? rgb(0xffa0a0) : rgb(0xffffff);
    pixel_blend(img, x, y, with_alpha(star, (float)rng_range(r, 0.3, 0.8)));
  }
  return img;
}
