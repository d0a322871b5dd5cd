// Face, icon, scope and blood drawings. The HUD shows face and icon cells mirrored, so each cell
// is drawn mirrored here to read the right way round on screen.
#include "tools/assetgen/hud_images.h"

#include <cmath>

#include "tools/assetgen/rng.h"

namespace {

constexpr int cell = 32;

void shaded_ellipse(image& img, float cx, float cy, float rx, float ry, color base) {
  fill_ellipse(img, cx, cy, rx, ry, scale_rgb(base, 0.7f));
  fill_ellipse(img, cx - rx * 0.12f, cy - ry * 0.1f, rx * 0.85f, ry * 0.85f, base);
  fill_ellipse(img, cx - rx * 0.3f, cy - ry * 0.35f, rx * 0.35f, ry * 0.3f, scale_rgb(base, 1.18f));
}

// Face cell k: 0 healthy to 4 dead, 5 grinning, 6 angry.
void draw_face(image& img, int k, int ox) {
  image f = image_make(cell, cell, clear_color());
  bool dead = k == 4;
  color skin = dead ? rgb(0x9a8c80) : mix(rgb(0xe0a878), rgb(0xc07858), k * 0.1f);
  color helmet = rgb(0x4a5a30);
  shaded_ellipse(f, 16, 18, 10.5f, 12.5f, skin);
  // Helmet over the brow.
  fill_ellipse(f, 16, 11, 12.5f, 8.5f, scale_rgb(helmet, 0.7f));
  fill_ellipse(f, 15.5f, 10, 11.5f, 7.5f, helmet);
  fill_rect(f, 4, 13, 28, 15, scale_rgb(helmet, 0.55f));
  fill_ellipse(f, 12, 8, 4, 2, scale_rgb(helmet, 1.3f));
  // Eyes and brows.
  float brow = k == 6 ? 2.5f : (float)std::min(k, 3) * 0.8f;
  for (int side = 0; side < 2; ++side) {
    float ex = side ? 20.5f : 11.5f;
    if (dead) {
      draw_line(f, ex - 2, 17, ex + 2, 21, 1.3f, rgb(0x301010));
      draw_line(f, ex - 2, 21, ex + 2, 17, 1.3f, rgb(0x301010));
      continue;
    }
    bool squint = k == 3;
    fill_ellipse(f, ex, 19, 2.6f, squint ? 1.2f : 2.0f, rgb(0xf0f0e8));
    color iris = k == 5 ? rgb(0xe0b020) : rgb(0x3a5a8a);
    float look = side ? -0.6f : 0.6f;
    if (k == 2) look = side ? 0.8f : 0.8f;
    fill_ellipse(f, ex + look, 19.3f, 1.1f, squint ? 0.8f : 1.3f, iris);
    float inner = side ? ex - 3 : ex + 3, outer = side ? ex + 3 : ex - 3;
    draw_line(f, outer, 16.2f - (k == 6 ? 0 : brow * 0.3f), inner, 16.2f + (k == 6 ? brow : -brow * 0.2f),
              1.4f, rgb(0x3a2418));
  }
  // Mouth.
  color lip = rgb(0x6a2a20);
  if (k == 0) draw_line(f, 12.5f, 26, 19.5f, 26, 1.3f, lip);
  if (k == 1) draw_line(f, 12.5f, 26.5f, 19.5f, 25.8f, 1.3f, lip);
  if (k == 2) fill_ellipse(f, 16, 26.3f, 3.2f, 1.3f, rgb(0x401010));
  if (k == 3) {
    fill_ellipse(f, 16, 26.5f, 3.8f, 2.1f, rgb(0x301010));
    fill_rect(f, 13, 25, 19, 26, rgb(0xe8e0d0));
  }
  if (dead) fill_ellipse(f, 16, 26.5f, 2.6f, 1.6f, rgb(0x200808));
  if (k == 5) {
    fill_ellipse(f, 16, 25.5f, 5.0f, 2.4f, rgb(0x401010));
    fill_rect(f, 11, 24, 21, 26, rgb(0xf4f0e4));
  }
  if (k == 6) {
    fill_rect(f, 12, 25, 20, 28, rgb(0x301010));
    fill_rect(f, 12, 25, 20, 26, rgb(0xe8e0d0));
  }
  // Wounds grow with the damage.
  color blood = rgb(0xa01010);
  if (k >= 1 && k <= 4) draw_line(f, 22, 14, 24, 21, 1.2f, blood);
  if (k >= 2 && k <= 4) {
    fill_ellipse(f, 9, 23, 2.2f, 1.6f, scale_rgb(skin, 0.7f));
    draw_line(f, 8, 15, 9, 25, 1.3f, blood);
  }
  if (k >= 3 && k <= 4) {
    draw_line(f, 18, 27, 18, 31, 1.5f, blood);
    fill_ellipse(f, 23, 24, 2, 2.5f, blood);
  }
  add_outline(f, rgb(0x140c08));
  mirror_columns(f, 0, cell);
  blit(img, f, ox, 0);
}

void draw_icon(image& img, int k, int ox) {
  image f = image_make(cell, cell, clear_color());
  switch (k) {
    case 0:  // health: white case with a red cross
      fill_rect(f, 4, 6, 28, 28, rgb(0xb0b0b0));
      fill_rect(f, 4, 5, 27, 26, rgb(0xf0f0ec));
      fill_rect(f, 13, 8, 19, 24, rgb(0xd02020));
      fill_rect(f, 7, 13, 25, 19, rgb(0xd02020));
      fill_rect(f, 13, 8, 15, 24, rgb(0xf05050));
      break;
    case 1:  // automatic gun: three brass rounds
      for (int i = 0; i < 3; ++i) {
        int x = 6 + i * 7;
        fill_rect(f, x, 12, x + 5, 28, rgb(0xc09030));
        fill_rect(f, x, 12, x + 2, 28, rgb(0xf0d060));
        fill_ellipse(f, x + 2.5f, 10, 2.5f, 5, rgb(0xb07040));
        fill_rect(f, x, 25, x + 5, 27, rgb(0x8a6020));
      }
      break;
    case 2:  // shotgun: two red shells with brass heads
      for (int i = 0; i < 2; ++i) {
        int x = 7 + i * 10;
        fill_rect(f, x, 6, x + 8, 22, rgb(0xb02020));
        fill_rect(f, x, 6, x + 3, 22, rgb(0xe04040));
        fill_rect(f, x, 21, x + 8, 28, rgb(0xd0a040));
        fill_rect(f, x, 21, x + 3, 28, rgb(0xf0d070));
      }
      break;
    case 3:  // energy gun: battery with a cyan charge
      fill_rect(f, 8, 5, 24, 29, rgb(0x404850));
      fill_rect(f, 12, 2, 20, 5, rgb(0x808890));
      fill_rect(f, 10, 8, 22, 26, rgb(0x102030));
      fill_rect(f, 11, 12, 21, 25, rgb(0x30d0ff));
      fill_rect(f, 11, 12, 14, 25, rgb(0xa0f0ff));
      break;
    default:  // heavy gun: green glowing canister
      fill_ellipse(f, 16, 16, 9, 13, rgb(0x2a3a2a));
      fill_ellipse(f, 16, 16, 6.5f, 10.5f, rgb(0x50e050));
      fill_ellipse(f, 14, 12, 2.5f, 5, rgb(0xc0ffb0));
      fill_rect(f, 9, 3, 23, 6, rgb(0x707870));
      fill_rect(f, 9, 26, 23, 29, rgb(0x707870));
      break;
  }
  add_outline(f, rgb(0x101010));
  mirror_columns(f, 0, cell);
  blit(img, f, ox, 0);
}

}  // namespace

image draw_hud_faces(int) {
  image img = image_make(cell * 7, cell, clear_color());
  for (int k = 0; k < 7; ++k) draw_face(img, k, k * cell);
  return img;
}

image draw_hud_icons(int) {
  image img = image_make(cell * 5, cell, clear_color());
  for (int k = 0; k < 5; ++k) draw_icon(img, k, k * cell);
  return img;
}

image draw_scope(int) {
  const int n = 256;
  image img = image_make(n, n, clear_color());
  float c = n / 2.0f;
  fill_ellipse(img, c, c, 112, 112, color{0.35f, 0.55f, 0.6f, 0.14f});
  fill_ring(img, c, c, 112, 128, rgb(0x050505));
  fill_ring(img, c, c, 110, 114, rgb(0x3a4046));
  fill_ring(img, c, c, 124, 127, rgb(0x2a2e32));
  color ink = rgb(0x080808);
  fill_rect(img, 18, (int)c - 1, (int)c - 10, (int)c + 1, ink);
  fill_rect(img, (int)c + 10, (int)c - 1, n - 18, (int)c + 1, ink);
  fill_rect(img, (int)c - 1, 18, (int)c + 1, (int)c - 10, ink);
  fill_rect(img, (int)c - 1, (int)c + 10, (int)c + 1, n - 18, ink);
  fill_rect(img, 18, (int)c - 3, 60, (int)c + 3, ink);
  fill_rect(img, n - 60, (int)c - 3, n - 18, (int)c + 3, ink);
  fill_rect(img, (int)c - 3, n - 60, (int)c + 3, n - 18, ink);
  for (int k = 1; k <= 4; ++k) {
    fill_ellipse(img, c + k * 18, c, 1.8f, 1.8f, ink);
    fill_ellipse(img, c - k * 18, c, 1.8f, 1.8f, ink);
    fill_ellipse(img, c, c + k * 18, 1.8f, 1.8f, ink);
  }
  fill_ellipse(img, c, c, 2.2f, 2.2f, rgb(0xff2020));
  return img;
}

image draw_blood(int) {
  const int n = 64;
  image img = image_make(n, n, clear_color());
  rng r = rng_make(77);
  color dark = rgb(0x6a0404), mid = rgb(0xa80c0c), light = rgb(0xe03030);
  fill_ellipse(img, 32, 32, 13, 12, dark);
  for (int i = 0; i < 16; ++i) {
    double a = rng_range(r, 0, 2 * M_PI), d = rng_range(r, 10, 27);
    float x = 32 + (float)(std::cos(a) * d), y = 32 + (float)(std::sin(a) * d);
    float s = (float)rng_range(r, 1.5, 4.5) * (float)(1.0 - d / 40.0);
    draw_line(img, 32, 32, x, y, s * 0.8f, dark);
    fill_ellipse(img, x, y, s, s, mid);
  }
  fill_ellipse(img, 31, 31, 10, 9, mid);
  fill_ellipse(img, 28, 28, 4, 3, light);
  rotate_half_turn(img);
  return img;
}
