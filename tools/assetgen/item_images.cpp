// Billboard images. The game shows static billboards mirrored left to right, so each is drawn
// mirrored here to read the right way round.
#include "tools/assetgen/item_images.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/model3d.h"
#include "tools/assetgen/rng.h"

namespace {

material matte(uint32_t hex) { return material{rgb(hex), 0.0f, false}; }
material shiny(uint32_t hex) { return material{rgb(hex), 0.7f, false}; }
material glow(uint32_t hex) { return material{rgb(hex), 0.0f, true}; }

// A soft glowing ball: bright core, coloured body, fading halo.
void glow_ball(image& img, float cx, float cy, float r, color core, color body) {
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy)) / r;
      if (d > 1.0f) continue;
      color c = d < 0.35f ? core : mix(core, body, std::min(1.0f, (d - 0.35f) / 0.3f));
      c.a = d < 0.65f ? 1.0f : std::max(0.0f, (1.0f - d) / 0.35f);
      pixel_blend(img, x, y, c);
    }
}

image finish(image img) {
  mirror_columns(img, 0, img.width);
  return img;
}

image render_centered(const model& m, int w, int h, double scale, double azimuth, double elevation,
                      double fy) {
  image img = image_make(w, h, clear_color());
  ortho_view v;
  v.azimuth = azimuth;
  v.elevation = elevation;
  v.scale = scale;
  v.focus_x = w * 0.5;
  v.focus_y = h * fy;
  render_model(m, v, img);
  return img;
}

image draw_mouse() {
  model m;
  material fur = matte(0x9a9aa2), pink = matte(0xe89aa8), dark = glow(0x101010);
  add_ellipsoid(m, {0, 0.16, 0}, {0.16, 0.14, 0.26}, fur);
  add_ellipsoid(m, {0, 0.2, 0.22}, {0.1, 0.09, 0.12}, fur);
  add_ellipsoid(m, {0, 0.18, 0.34}, {0.03, 0.03, 0.03}, pink);
  for (int s = -1; s <= 1; s += 2) {
    add_ellipsoid(m, {s * 0.08, 0.3, 0.2}, {0.06, 0.065, 0.02}, pink);
    add_ellipsoid(m, {s * 0.055, 0.23, 0.3}, {0.018, 0.02, 0.015}, dark);
    add_ellipsoid(m, {s * 0.08, 0.03, 0.12}, {0.04, 0.03, 0.05}, pink);
    add_ellipsoid(m, {s * 0.08, 0.03, -0.14}, {0.04, 0.03, 0.05}, pink);
  }
  add_capsule(m, {0, 0.1, -0.24}, {0.02, 0.06, -0.42}, 0.02, pink);
  add_capsule(m, {0.02, 0.06, -0.42}, {-0.05, 0.1, -0.55}, 0.016, pink);
  image img = image_make(64, 64, clear_color());
  ortho_view v;
  v.azimuth = 1.2;
  v.elevation = 0.35;
  v.scale = 70;
  v.focus_x = 32;
  v.focus_y = 44;
  render_model(m, v, img);
  return img;
}

image draw_medkit() {
  model m;
  add_box(m, {0, 0.22, 0}, {0.4, 0.22, 0.2}, shiny(0xe8e8e4));
  add_box(m, {0, 0.46, 0}, {0.12, 0.04, 0.04}, matte(0x707070));
  add_box(m, {0, 0.22, 0.2}, {0.06, 0.16, 0.01}, glow(0xd01818));
  add_box(m, {0, 0.22, 0.2}, {0.16, 0.06, 0.01}, glow(0xd01818));
  add_capsule(m, {0.25, 0.5, 0.05}, {-0.1, 0.62, 0.1}, 0.035, shiny(0xd0e8f0));
  add_capsule(m, {-0.1, 0.62, 0.1}, {-0.22, 0.66, 0.12}, 0.008, shiny(0xc0c0c0));
  add_box(m, {0.27, 0.5, 0.05}, {0.015, 0.05, 0.05}, matte(0x4060c0));
  return render_centered(m, 64, 64, 64, 0.45, 0.4, 0.82);
}

// The four ammunition pickups, drawn in wide 4:1 images.
image draw_ammo(int gun) {
  model m;
  switch (gun) {
    case 1:  // magazines
      add_box(m, {0, 0.12, 0}, {0.9, 0.12, 0.2}, matte(0x5a6a3a));
      add_box(m, {0, 0.24, 0}, {0.92, 0.015, 0.21}, matte(0x3a4428));
      for (int i = 0; i < 4; ++i) add_box(m, {-0.6 + i * 0.4, 0.34, 0}, {0.12, 0.1, 0.05}, shiny(0x3a3c40));
      break;
    case 2:  // shells
      add_box(m, {0, 0.1, 0}, {0.9, 0.1, 0.2}, matte(0x8a2020));
      for (int i = 0; i < 7; ++i) {
        double x = -0.72 + i * 0.24;
        add_capsule(m, {x, 0.22, 0}, {x, 0.38, 0}, 0.07, shiny(0xc02828));
        add_box(m, {x, 0.22, 0}, {0.075, 0.04, 0.075}, shiny(0xd0a040));
      }
      break;
    case 3:  // energy cells
      for (int i = 0; i < 4; ++i) {
        double x = -0.66 + i * 0.44;
        add_box(m, {x, 0.2, 0}, {0.16, 0.2, 0.14}, shiny(0x40484f));
        add_box(m, {x, 0.22, 0.14}, {0.09, 0.13, 0.01}, glow(0x40d8ff));
      }
      break;
    default:  // heavy cell
      add_capsule(m, {-0.75, 0.22, 0}, {0.75, 0.22, 0}, 0.2, shiny(0x2a3a2a));
      add_capsule(m, {-0.5, 0.22, 0.02}, {0.5, 0.22, 0.02}, 0.19, glow(0x58f058));
      add_box(m, {-0.62, 0.22, 0}, {0.05, 0.23, 0.23}, shiny(0x808880));
      add_box(m, {0.62, 0.22, 0}, {0.05, 0.23, 0.23}, shiny(0x808880));
      break;
  }
  return render_centered(m, 128, 32, 64, 0.25, 0.2, 0.9);
}

image draw_portal() {
  const int n = 128;
  image img = image_make(n, n, clear_color());
  float c = n / 2.0f;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      float dx = x + 0.5f - c, dy = y + 0.5f - c;
      float d = std::sqrt(dx * dx + dy * dy) / c;
      if (d > 1.0f) continue;
      float a = std::atan2(dy, dx);
      float swirl = 0.5f + 0.5f * std::sin(a * 3.0f + d * 12.0f);
      color inner = rgb(0xf0e0ff), purple = rgb(0x8a30e0), cyan = rgb(0x30c0ff);
      color col = mix(mix(inner, purple, std::min(1.0f, d * 1.4f)), cyan, swirl * d * 0.7f);
      float alpha = d < 0.8f ? 0.55f + 0.45f * swirl : (1.0f - d) / 0.2f;
      if (d < 0.2f) alpha = 1.0f;
      col.a = std::max(0.0f, std::min(1.0f, alpha));
      pixel_set(img, x, y, col);
    }
  fill_ring(img, c, c, c * 0.86f, c * 0.95f, color{0.85f, 0.6f, 1.0f, 0.9f});
  return img;
}

image draw_barrel() {
  model m;
  material steel = shiny(0x4a7a3a), band = shiny(0x34562a);
  add_ellipsoid(m, {0, 0.5, 0}, {0.36, 0.52, 0.36}, steel);
  for (double y : {0.2, 0.8}) add_ellipsoid(m, {0, y, 0}, {0.375, 0.045, 0.375}, band);
  add_ellipsoid(m, {0, 0.5, 0.3}, {0.16, 0.16, 0.06}, glow(0xf0d020));
  add_ellipsoid(m, {0, 0.5, 0.33}, {0.06, 0.06, 0.03}, glow(0x202020));
  add_ellipsoid(m, {0, 0.98, 0}, {0.26, 0.04, 0.26}, glow(0x60ff40));
  return render_centered(m, 64, 64, 54, 0.3, 0.25, 0.97);
}

image draw_lamp() {
  model m;
  material dark = shiny(0x3a3e44), trim = shiny(0x6a7078);
  add_box(m, {0, 0.15, 0}, {0.45, 0.15, 0.45}, dark);
  add_box(m, {0, 0.32, 0}, {0.35, 0.04, 0.35}, trim);
  add_capsule(m, {0, 0.3, 0}, {0, 3.1, 0}, 0.12, dark);
  add_capsule(m, {0, 1.2, 0}, {0, 2.6, 0}, 0.16, trim);
  add_box(m, {0, 1.9, 0.15}, {0.05, 0.6, 0.03}, glow(0x60d0ff));
  add_ellipsoid(m, {0, 3.35, 0}, {0.42, 0.3, 0.42}, glow(0xfff0b0));
  add_ellipsoid(m, {0, 3.6, 0}, {0.5, 0.08, 0.5}, trim);
  return render_centered(m, 96, 128, 33, 0.4, 0.15, 0.99);
}

}  // namespace

image draw_projectile(int k) {
  image img = image_make(32, 32, clear_color());
  switch (k) {
    case 1:
      glow_ball(img, 16, 16, 15, rgb(0xffe0d0), rgb(0xff3010));
      break;  // red plasma
    case 2:
      glow_ball(img, 16, 16, 12, rgb(0xffffe0), rgb(0xffc020));
      break;  // yellow bolt
    case 3:   // teleport orb: purple ball with rings
      glow_ball(img, 16, 16, 15, rgb(0xffe0ff), rgb(0xa030f0));
      fill_ring(img, 16, 16, 9, 10.5f, color{0.2f, 0.0f, 0.35f, 0.9f});
      break;
    case 4:  // homing shot: green with a bright trail spot
      glow_ball(img, 16, 16, 14, rgb(0xf0ffe0), rgb(0x40e020));
      fill_ellipse(img, 12, 12, 3, 3, rgb(0xffffff));
      break;
    case 5:
      glow_ball(img, 16, 16, 13, rgb(0xe0f8ff), rgb(0x3080ff));
      break;  // player blue shot
    case 6:
      glow_ball(img, 16, 16, 13, rgb(0xfff0c0), rgb(0xff7010));
      break;    // orange fireball
    default: {  // player heavy shot: cyan with sparks
      glow_ball(img, 16, 16, 15, rgb(0xffffff), rgb(0x20f0d0));
      rng r = rng_make(7);
      for (int i = 0; i < 6; ++i) {
        double a = rng_range(r, 0, 2 * M_PI);
        draw_line(img, 16, 16, 16 + 14 * (float)std::cos(a), 16 + 14 * (float)std::sin(a), 1.2f,
                  color{0.8f, 1, 1, 0.8f});
      }
      break;
    }
  }
  return finish(img);
}

image draw_item(int k) {
  switch (k) {
    case 0:
      return finish(draw_mouse());
    case 1:
      return finish(draw_medkit());
    case 2:
    case 3:
    case 4:
    case 5:
      return finish(draw_ammo(k - 1));
    default:
      return finish(draw_portal());
  }
}

image draw_prop(int k) { return finish(k == 1 ? draw_barrel() : draw_lamp()); }
