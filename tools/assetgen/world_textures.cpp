// World textures: block patterns (panels, tiles, bricks, stones) with bevels, over tileable noise.
#include "tools/assetgen/world_textures.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/rng.h"

namespace {

constexpr int tex = 128;

const char* const names[world_texture_count] = {
    "metal_wall", "concrete",   "floor_tiles",  "ceiling_panel", "metal_floor", "rock",      "grass",
    "dirt",       "lab_tiles",  "temple_stone", "temple_carved", "void",        "brick",     "crate",
    "hazard",     "computer",   "rust",         "void_crystal",  "sky",         "toxic",     "girder",
    "rail_track", "marble",     "castle_stone", "vault_plate",   "wood",        "grate",     "carpet",
    "cheese",     "blue_panel", "checker",      "corrugated",    "sand",        "sandstone", "snow",
    "alien",      "lab_glass",  "brass",        "gravel",        "timber",      "red_white", "control_panel",
    "hub_wall",
};

// Position inside a block of a staggered grid: local coordinates and the block's number.
struct block {
  int u, v, id;
};

block block_at(int x, int y, int bw, int bh, bool stagger) {
  int row = y / bh;
  int shift = stagger && (row % 2) ? bw / 2 : 0;
  int xs = (x + shift) % tex;
  return block{xs % bw, y % bh, row * 64 + xs / bw};
}

// Brightness factor of a bevelled block edge: lit top-left rim, dark bottom-right rim, a dark
// joint line of width gap.
float bevel(const block& b, int bw, int bh, int gap, int rim) {
  if (b.u < gap || b.v < gap) return 0.45f;
  if (b.u < gap + rim || b.v < gap + rim) return 1.22f;
  if (b.u >= bw - rim || b.v >= bh - rim) return 0.72f;
  return 1.0f;
}

color noisy(color base, float n, float amount) { return scale_rgb(base, 1.0f + (n - 0.5f) * amount); }

image blocks(color base, int bw, int bh, bool stagger, int gap, int rim, uint32_t seed, float grain,
             float vary) {
  image img = image_make(tex, tex, base);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      block b = block_at(x, y, bw, bh, stagger);
      float n = fbm(x / (float)tex, y / (float)tex, 8, 4, seed);
      float tone = 1.0f + ((hash3(b.id, 3, seed) & 255) / 255.0f - 0.5f) * vary;
      color c = noisy(scale_rgb(base, tone), n, grain);
      pixel_set(img, x, y, scale_rgb(c, bevel(b, bw, bh, gap, rim)));
    }
  return img;
}

image natural(color a, color b, uint32_t seed, int period, float contrast) {
  image img = image_make(tex, tex, a);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, period, 5, seed);
      float m = std::min(1.0f, std::max(0.0f, (n - 0.5f) * contrast + 0.5f));
      pixel_set(img, x, y, mix(a, b, m));
    }
  return img;
}

void rivets(image& img, int step, int inset, color c) {
  for (int y = inset; y < tex; y += step)
    for (int x = inset; x < tex; x += step) {
      fill_ellipse(img, x + 0.5f, y + 0.5f, 2.2f, 2.2f, scale_rgb(c, 0.6f));
      fill_ellipse(img, x, y, 1.4f, 1.4f, scale_rgb(c, 1.3f));
    }
}

image grass() {
  image img = natural(rgb(0x2e5a1e), rgb(0x5a8a30), 61, 8, 2.0f);
  rng r = rng_make(62);
  for (int i = 0; i < 900; ++i) {
    int x = rng_int(r, tex), y = rng_int(r, tex), len = 2 + rng_int(r, 4);
    color c = rng_unit(r) < 0.5 ? rgb(0x78b040) : rgb(0x22461a);
    for (int k = 0; k < len; ++k) pixel_set(img, (x + (k > 2 ? 1 : 0)) % tex, (y + tex - k) % tex, c);
  }
  return img;
}

image void_texture(bool crystal) {
  image img = image_make(tex, tex, rgb(0x0a0414));
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 4, 5, crystal ? 91 : 90);
      float swirl = 0.5f + 0.5f * std::sin((x + y) * 0.098f + n * 9.0f);
      color c = mix(rgb(0x0c0418), rgb(0x5a1a8a), swirl * n);
      if (crystal) {
        block b = block_at(x, y, 32, 32, true);
        float facet = ((b.u + b.v) % 32) < 16 ? 1.25f : 0.8f;
        c = scale_rgb(mix(c, rgb(0x40a0ff), 0.35f), facet * bevel(b, 32, 32, 1, 2));
      }
      pixel_set(img, x, y, c);
    }
  rng r = rng_make(crystal ? 93 : 92);
  for (int i = 0; i < 40; ++i) pixel_set(img, rng_int(r, tex), rng_int(r, tex), rgb(0xe0d0ff));
  return img;
}

image hazard() {
  image img = blocks(rgb(0x505458), 128, 128, false, 0, 0, 71, 0.3f, 0);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      if (((x + y) / 16) % 2 == 0) continue;
      float n = fbm(x / (float)tex, y / (float)tex, 16, 3, 72);
      pixel_set(img, x, y, noisy(rgb(0xe0b010), n, 0.4f));
    }
  return img;
}

image computer() {
  image img = blocks(rgb(0x3a4048), 64, 64, false, 1, 2, 81, 0.15f, 0.1f);
  rng r = rng_make(82);
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      int x0 = bx * 64 + 8, y0 = by * 64 + 8;
      fill_rect(img, x0, y0, x0 + 48, y0 + 26, rgb(0x06120a));
      for (int line = 0; line < 5; ++line)
        fill_rect(img, x0 + 4, y0 + 4 + line * 4, x0 + 8 + rng_int(r, 34), y0 + 6 + line * 4, rgb(0x30e060));
      for (int k = 0; k < 6; ++k) {
        color led = k % 3 == 0 ? rgb(0xff3030) : (k % 3 == 1 ? rgb(0x30ff60) : rgb(0xffc020));
        fill_rect(img, x0 + k * 8, y0 + 36, x0 + k * 8 + 4, y0 + 40, led);
      }
      fill_rect(img, x0, y0 + 44, x0 + 48, y0 + 48, rgb(0x202428));
    }
  return img;
}

image crate() {
  image img = blocks(rgb(0x8a5a2a), 128, 16, false, 1, 1, 51, 0.35f, 0.2f);
  color frame = rgb(0x5a3a1a);
  fill_rect(img, 0, 0, 128, 10, frame);
  fill_rect(img, 0, 118, 128, 128, frame);
  fill_rect(img, 0, 0, 10, 128, frame);
  fill_rect(img, 118, 0, 128, 128, frame);
  draw_line(img, 10, 10, 118, 118, 12, frame);
  draw_line(img, 118, 10, 10, 118, 12, frame);
  rivets(img, 108, 5, rgb(0x808080));
  return img;
}

image temple_carved() {
  image img = blocks(rgb(0xb09060), 64, 64, false, 2, 2, 41, 0.3f, 0.12f);
  color cut = rgb(0x6a5232);
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      float cx = bx * 64 + 32.0f, cy = by * 64 + 32.0f;
      fill_ring(img, cx, cy, 16, 19, cut);
      fill_ring(img, cx, cy, 7, 9, cut);
      for (int k = 0; k < 8; ++k) {
        float a = k * (float)M_PI / 4;
        draw_line(img, cx + 10 * std::cos(a), cy + 10 * std::sin(a), cx + 16 * std::cos(a),
                  cy + 16 * std::sin(a), 2, cut);
      }
    }
  return img;
}

// Distance from (x, y) to the nearest copy of (cx, cy) on the 128-pixel torus, so shapes drawn by
// distance wrap across the edges.
float wrapped_distance(float x, float y, float cx, float cy) {
  float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
  dx = std::min(dx, tex - dx);
  dy = std::min(dy, tex - dy);
  return std::sqrt(dx * dx + dy * dy);
}

// Position along a period, folded into [0, period).
int fold(int v, int period) { return ((v % period) + period) % period; }

// The opening onto the sky: fully see-through, so the sky drawn behind the level shows.
image sky_opening() { return image_make(tex, tex, clear_color()); }

// Glowing green sludge with rings of bubbles.
image toxic() {
  image img = natural(rgb(0x1e5a12), rgb(0x8cf032), 101, 4, 2.4f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 8, 3, 102);
      if (std::fabs(n - 0.5f) < 0.025f) pixel_set(img, x, y, rgb(0xc8ff70));
    }
  rng r = rng_make(103);
  for (int i = 0; i < 14; ++i) {
    float cx = (float)rng_range(r, 0, tex), cy = (float)rng_range(r, 0, tex),
          rad = (float)rng_range(r, 2.5, 7.0);
    for (int y = 0; y < tex; ++y)
      for (int x = 0; x < tex; ++x) {
        float d = wrapped_distance(x + 0.5f, y + 0.5f, cx, cy);
        if (d < rad - 1.5f)
          pixel_set(img, x, y, mix(pixel_get(img, x, y), rgb(0x5ac020), 0.5f));
        else if (d < rad)
          pixel_set(img, x, y, rgb(0xd8ff90));
      }
  }
  return img;
}

// A painted steel truss: top and bottom chords, posts at the joints and crossed braces, against a
// dark gap.
image girder() {
  image img = natural(rgb(0x141618), rgb(0x2a2e34), 111, 4, 1.5f);
  color paint = rgb(0xa8422a);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 16, 3, 112);
      bool chord = y < 12 || y >= 116, post = fold(x, 64) < 4 || fold(x, 64) >= 60;
      int d1 = fold(x - y, 64), d2 = fold(x + y, 64);
      bool brace = std::min(d1, 64 - d1) < 4 || std::min(d2, 64 - d2) < 4;
      if (!chord && !post && !brace) continue;
      float shade =
          chord ? (y == 11 || y == 116 ? 0.6f : (y < 3 || y > 124 ? 1.2f : 1.0f)) : (post ? 0.9f : 0.8f);
      pixel_set(img, x, y, scale_rgb(noisy(paint, n, 0.5f), shade));
    }
  for (int x = 16; x < tex; x += 16) {
    fill_ellipse(img, x, 6, 2.0f, 2.0f, rgb(0x5a2418));
    fill_ellipse(img, x, 122, 2.0f, 2.0f, rgb(0x5a2418));
  }
  return img;
}

// Two steel rails running down the picture over wooden sleepers and gravel.
image rail_track() {
  image img = natural(rgb(0x4a443c), rgb(0x8a8274), 121, 16, 2.0f);
  rng r = rng_make(122);
  for (int i = 0; i < 500; ++i) pixel_set(img, rng_int(r, tex), rng_int(r, tex), rgb(0x2e2a26));
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      int ly = fold(y, 32);
      if (ly >= 6 && ly < 22 && x >= 10 && x < 118) {
        float n = fbm(x / (float)tex, y / (float)tex, 4, 3, 123);
        float grain = 0.85f + 0.15f * std::sin(x * 0.45f + n * 8.0f);
        pixel_set(img, x, y, scale_rgb(rgb(0x5a3c22), grain * (ly == 6 ? 1.25f : (ly == 21 ? 0.6f : 1.0f))));
      }
      for (int rail : {30, 90}) {
        int lx = x - rail;
        if (lx < 0 || lx >= 8) continue;
        float shine = lx < 2 ? 1.45f : (lx >= 6 ? 0.55f : 1.0f);
        pixel_set(img, x, y, scale_rgb(rgb(0x8a8e94), shine));
      }
    }
  return img;
}

// Pale slabs with grey veins.
image marble() {
  image img = blocks(rgb(0xe4ded2), 64, 64, false, 1, 1, 131, 0.12f, 0.08f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 4, 5, 132);
      float v = std::fabs(n - 0.5f);
      if (v < 0.012f)
        pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), 0.55f));
      else if (v < 0.03f)
        pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), 0.82f));
    }
  return img;
}

// Big rough dark blocks with purple moss in the joints.
image castle_stone() {
  image img = blocks(rgb(0x4e4a56), 64, 32, true, 3, 2, 141, 0.6f, 0.35f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      block b = block_at(x, y, 64, 32, true);
      float n = fbm(x / (float)tex, y / (float)tex, 16, 3, 142);
      if ((b.u < 3 || b.v < 3) && n > 0.55f) pixel_set(img, x, y, scale_rgb(rgb(0x5a2a6a), 0.6f + n));
    }
  return img;
}

// Brushed steel plates held by four bolts each, with a brass seam between the rows.
image vault_plate() {
  image img = blocks(rgb(0x7c848e), 64, 64, false, 2, 2, 151, 0.1f, 0.12f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float streak = 0.93f + 0.07f * value_noise(x / 2.0f, y / 32.0f, 64, 4, 152);
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), streak));
      if (fold(y, 64) >= 61 || fold(y, 64) < 2)
        pixel_set(img, x, y, rgb(fold(y, 64) == 0 ? 0xe0b850 : 0xa07a28));
    }
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx)
      for (int cy : {10, 52})
        for (int cx : {10, 54}) {
          float x = bx * 64 + cx, y = by * 64 + cy;
          fill_ellipse(img, x + 0.6f, y + 0.6f, 3.2f, 3.2f, rgb(0x3a3e44));
          fill_ellipse(img, x, y, 2.6f, 2.6f, rgb(0xb8c0c8));
          fill_rect(img, (int)x - 2, (int)y, (int)x + 2, (int)y + 1, rgb(0x4a4e54));
        }
  return img;
}

// Planks with wavy grain, their ends staggered.
image wood() {
  image img = blocks(rgb(0x8a6036), 64, 16, true, 1, 1, 161, 0.25f, 0.3f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      block b = block_at(x, y, 64, 16, true);
      if (b.u < 1 || b.v < 1) continue;
      float n = fbm(x / (float)tex, y / (float)tex, 4, 3, 162 + b.id % 7);
      float grain = 0.88f + 0.12f * std::sin(y * 1.3f + n * 10.0f + b.id);
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), grain));
    }
  return img;
}

// Steel grating: a mesh of bars over a dark pit, a heavier bar every half picture.
image grate() {
  image img = natural(rgb(0x0e1012), rgb(0x1e2226), 171, 4, 1.5f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      int lx = fold(x, 16), ly = fold(y, 16);
      bool heavy = fold(x, 64) < 4 || fold(y, 64) < 4;
      if (!heavy && lx >= 3 && ly >= 3) continue;
      float n = fbm(x / (float)tex, y / (float)tex, 16, 2, 172);
      color c = noisy(rgb(heavy ? 0x6a7076 : 0x565c62), n, 0.4f);
      if (lx == 0 || ly == 0) c = scale_rgb(c, 1.3f);
      pixel_set(img, x, y, c);
    }
  return img;
}

// Deep red carpet with a gold diamond lattice.
image carpet() {
  image img = natural(rgb(0x5a1014), rgb(0x7a1a1e), 181, 32, 1.2f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      int lx = fold(x, 32) - 16, ly = fold(y, 32) - 16;
      int d = std::abs(lx) + std::abs(ly);
      if (d == 14 || d == 15)
        pixel_set(img, x, y, rgb(0xc89a3a));
      else if (d < 4)
        pixel_set(img, x, y, rgb(0x2a0a40));
    }
  return img;
}

// Yellow cheese with round holes of every size.
image cheese() {
  image img = natural(rgb(0xe8b830), rgb(0xf8d860), 191, 4, 1.6f);
  rng r = rng_make(192);
  for (int i = 0; i < 12; ++i) {
    float cx = (float)rng_range(r, 0, tex), cy = (float)rng_range(r, 0, tex),
          rad = (float)rng_range(r, 3.0, 11.0);
    for (int y = 0; y < tex; ++y)
      for (int x = 0; x < tex; ++x) {
        float d = wrapped_distance(x + 0.5f, y + 0.5f, cx, cy);
        if (d < rad) pixel_set(img, x, y, scale_rgb(rgb(0xb07810), 0.7f + 0.3f * d / rad));
      }
  }
  return img;
}

// Pale blue wall panels with a navy band at shoulder height: the Facility's
// offices and halls.
image blue_panel() {
  image img = blocks(rgb(0x8ea8c4), 64, 32, false, 1, 2, 201, 0.15f, 0.08f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x)
      if (fold(y, 64) >= 40 && fold(y, 64) < 50)
        pixel_set(img, x, y, scale_rgb(rgb(0x1e3a6a), fold(y, 64) == 40 ? 1.4f : 1.0f));
  return img;
}

// Black and white floor tiles.
image checker() {
  image img = blocks(rgb(0xd8d6cc), 32, 32, false, 1, 1, 202, 0.12f, 0.05f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x)
      if ((x / 32 + y / 32) % 2) pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), 0.22f));
  return img;
}

// Olive corrugated sheet metal, its ridges running up, streaked with rust.
image corrugated() {
  image img = image_make(tex, tex, rgb(0x6a7a3a));
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float ridge = 0.8f + 0.3f * std::sin(x * (float)M_PI / 4.0f);
      float n = fbm(x / (float)tex, y / (float)tex, 8, 4, 203);
      color c = scale_rgb(rgb(0x6a7a3a), ridge * (0.85f + 0.3f * n));
      // three streak lengths fit the height, so the streaks run on across the wrap
      if (value_noise(x / 4.0f, y * 3.0f / tex, 32, 3, 204) > 0.72f) c = mix(c, rgb(0x8a4a1a), 0.6f);
      pixel_set(img, x, y, c);
    }
  return img;
}

// Desert sand in wind ripples.
image sand() {
  image img = natural(rgb(0xc8a060), rgb(0xe4c88a), 205, 8, 1.6f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 4, 3, 206);
      float ripple = 0.92f + 0.08f * std::sin(y * (float)M_PI / 8.0f + n * 6.0f);
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), ripple));
    }
  return img;
}

// Ochre blocks banded by the strata of the rock they were cut from.
image sandstone() {
  image img = blocks(rgb(0xc08a50), 64, 32, true, 2, 2, 207, 0.3f, 0.2f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float band = 0.9f + 0.12f * std::sin(y * (float)M_PI * 14.0f / 64.0f +
                                           3.0f * value_noise(x / 16.0f, y / 16.0f, 8, 8, 208));
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), band));
    }
  return img;
}

// Trodden snow with blue hollows.
image snow() { return natural(rgb(0xaebfd4), rgb(0xf4f8fc), 209, 8, 2.2f); }

// The invaders' grown walls: dark violet ribs with veins that glow green.
image alien() {
  image img = image_make(tex, tex, rgb(0x2a1030));
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 4, 5, 210);
      float rib = 0.6f + 0.5f * std::fabs(std::sin(y * (float)M_PI / 16.0f + n * 2.0f));
      color c = scale_rgb(mix(rgb(0x2a1030), rgb(0x6a2a70), n), rib);
      if (std::fabs(n - 0.5f) < 0.02f)
        c = rgb(0x50f0b0);
      else if (std::fabs(n - 0.5f) < 0.045f)
        c = mix(c, rgb(0x30a080), 0.6f);
      pixel_set(img, x, y, c);
    }
  return img;
}

// Panes of green-tinted glass in white frames, a sheen across each pane: the
// Laboratory's windows.
image lab_glass() {
  image img = natural(rgb(0x1e5a4a), rgb(0x3a8a72), 221, 4, 1.4f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      int lx = fold(x, 64), ly = fold(y, 64);
      if (lx < 5 || ly < 5) {
        pixel_set(img, x, y, scale_rgb(rgb(0xe8ecea), lx == 4 || ly == 4 ? 0.7f : 1.0f));
        continue;
      }
      int d = fold(lx + ly, 48);
      if (d < 3 || d == 7) pixel_set(img, x, y, mix(pixel_get(img, x, y), rgb(0xc8fff0), 0.45f));
    }
  return img;
}

// Polished brass squares, each with an engraved border and a boss in the middle.
image brass() {
  image img = blocks(rgb(0xb08a38), 64, 64, false, 2, 3, 222, 0.12f, 0.1f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float sheen = 0.8f + 0.35f * std::fabs(std::sin((x + y) * (float)M_PI / 64.0f));
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), sheen));
      int lx = fold(x, 64), ly = fold(y, 64);
      if (std::min(std::min(lx, 63 - lx), std::min(ly, 63 - ly)) == 9) pixel_set(img, x, y, rgb(0x5a4214));
    }
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      fill_ellipse(img, bx * 64 + 32.6f, by * 64 + 32.6f, 6.0f, 6.0f, rgb(0x5a4214));
      fill_ellipse(img, bx * 64 + 32.0f, by * 64 + 32.0f, 5.0f, 5.0f, rgb(0xf0d070));
    }
  return img;
}

// Railway ballast: packed grey stones, lit from the top left, with dark gaps.
image gravel() {
  image img = natural(rgb(0x2a2724), rgb(0x4a4640), 223, 16, 1.6f);
  rng r = rng_make(224);
  for (int i = 0; i < 520; ++i) {
    float cx = (float)rng_range(r, 0, tex), cy = (float)rng_range(r, 0, tex),
          rad = (float)rng_range(r, 1.6, 3.6);
    color c = scale_rgb(rgb(0x8a847a), (float)rng_range(r, 0.6, 1.2));
    // copies across the edges keep the picture tiling
    for (int dy = -tex; dy <= tex; dy += tex)
      for (int dx = -tex; dx <= tex; dx += tex) {
        fill_ellipse(img, cx + dx, cy + dy, rad, rad * 0.8f, scale_rgb(c, 0.7f));
        fill_ellipse(img, cx + dx - 0.5f, cy + dy - 0.5f, rad * 0.6f, rad * 0.45f, scale_rgb(c, 1.15f));
      }
  }
  return img;
}

// Dark creosoted timber baulks laid side by side, held by iron plates.
image timber() {
  image img = blocks(rgb(0x4a3422), 128, 16, false, 2, 1, 230, 0.35f, 0.35f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 4, 3, 231);
      float grain = 0.85f + 0.15f * std::sin(y * 1.7f + n * 9.0f);
      pixel_set(img, x, y, scale_rgb(pixel_get(img, x, y), grain));
    }
  for (int y = 0; y < tex; y += 16)
    for (int x : {18, 102}) {
      fill_rect(img, x, y + 4, x + 9, y + 13, rgb(0x2e2e30));
      fill_ellipse(img, x + 4.5f, y + 8.5f, 1.5f, 1.5f, rgb(0x6a6a6e));
    }
  return img;
}

// Steel painted in red and white bands, as masts are marked for aircraft, the
// paint worn through in places and rivets along the band edges.
image red_white() {
  image img = blocks(rgb(0xd8d4cc), 128, 32, false, 1, 1, 225, 0.2f, 0.0f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      float n = fbm(x / (float)tex, y / (float)tex, 8, 4, 226);
      color c = pixel_get(img, x, y);
      if ((y / 32) % 2 == 0) c = scale_rgb(noisy(rgb(0xb82418), n, 0.4f), fold(y, 32) == 0 ? 0.45f : 1.0f);
      if (n > 0.7f) c = mix(c, rgb(0x6a4a3a), 0.55f);
      pixel_set(img, x, y, c);
    }
  for (int y = 5; y < tex; y += 32)
    for (int x = 8; x < tex; x += 16) {
      fill_ellipse(img, x + 0.5f, y + 0.5f, 1.8f, 1.8f, rgb(0x3a3230));
      fill_ellipse(img, x, y, 1.2f, 1.2f, rgb(0xe8e0d8));
    }
  return img;
}

// Dark control-room consoles: a screen of blue charts over rows of lit keys.
image control_panel() {
  image img = blocks(rgb(0x22262e), 64, 64, false, 1, 2, 227, 0.12f, 0.1f);
  rng r = rng_make(228);
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      int x0 = bx * 64 + 6, y0 = by * 64 + 6;
      fill_rect(img, x0, y0, x0 + 52, y0 + 30, rgb(0x041020));
      for (int k = 1; k < 4; ++k) fill_rect(img, x0, y0 + k * 8, x0 + 52, y0 + k * 8 + 1, rgb(0x0c2a40));
      int prev = y0 + 20;
      for (int k = 0; k < 48; k += 4) {
        int next = y0 + 4 + rng_int(r, 22);
        draw_line(img, x0 + 2 + k, prev, x0 + 6 + k, next, 1.2f, rgb(0x40c8ff));
        prev = next;
      }
      for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 6; ++k) {
          color key = (k + row + bx) % 4 == 0 ? rgb(0xffa020) : rgb(0x2a6a9a);
          fill_rect(img, x0 + 2 + k * 8, y0 + 36 + row * 8, x0 + 7 + k * 8, y0 + 41 + row * 8, key);
        }
    }
  return img;
}

// Dark blue steel panels with a lit cyan strip down every other seam: the
// invaders' command centre.
image hub_wall() {
  image img = blocks(rgb(0x2a3040), 32, 64, false, 1, 2, 229, 0.2f, 0.15f);
  for (int y = 0; y < tex; ++y)
    for (int x = 0; x < tex; ++x) {
      int lx = fold(x, 64);
      if (lx >= 30 && lx < 34) pixel_set(img, x, y, lx == 31 || lx == 32 ? rgb(0x9af0ff) : rgb(0x2a90b0));
    }
  return img;
}

}  // namespace

const char* world_texture_name(int i) { return names[i < 0 || i >= world_texture_count ? 0 : i]; }

image draw_world_texture(int i) {
  switch (i) {
    case 0: {
      image img = blocks(rgb(0x6a7078), 64, 32, false, 1, 2, 11, 0.25f, 0.15f);
      rivets(img, 16, 6, rgb(0x8a9098));
      return img;
    }
    case 1:
      return blocks(rgb(0x8a8a84), 128, 64, false, 1, 1, 12, 0.5f, 0.08f);
    case 2:
      return blocks(rgb(0x7a7a80), 32, 32, false, 1, 1, 13, 0.25f, 0.1f);
    case 3: {
      image img = blocks(rgb(0xa0a4a8), 64, 64, false, 2, 2, 14, 0.15f, 0.05f);
      fill_rect(img, 16, 16, 48, 48, rgb(0xf8f4e0));
      fill_rect(img, 80, 80, 112, 112, rgb(0xf8f4e0));
      return img;
    }
    case 4: {
      image img = blocks(rgb(0x5a5e64), 128, 128, false, 0, 0, 15, 0.3f, 0);
      // Raised diagonal treads, every other row of them shifted by half a step.
      for (int y = 0; y < tex; ++y)
        for (int x = 0; x < tex; ++x) {
          int lx = (x + ((y / 8) % 2 ? 4 : 0)) % 8, ly = y % 8;
          if (ly >= 2 && ly <= 5 && (lx == ly - 2 || lx == ly - 1)) pixel_set(img, x, y, rgb(0x8a9098));
        }
      return img;
    }
    case 5: {
      image img = natural(rgb(0x4a4440), rgb(0x8a8278), 21, 4, 2.2f);
      for (int y = 0; y < tex; ++y)
        for (int x = 0; x < tex; ++x) {
          float n = fbm(x / (float)tex, y / (float)tex, 8, 3, 22);
          if (std::fabs(n - 0.5f) < 0.02f) pixel_set(img, x, y, rgb(0x2a2624));
        }
      return img;
    }
    case 6:
      return grass();
    case 7:
      return natural(rgb(0x4a3420), rgb(0x7a5a38), 31, 8, 2.0f);
    case 8:
      return blocks(rgb(0xe0e4e8), 32, 32, false, 1, 1, 16, 0.08f, 0.04f);
    case 9:
      return blocks(rgb(0xb89868), 64, 32, true, 2, 2, 17, 0.35f, 0.2f);
    case 10:
      return temple_carved();
    case 11:
      return void_texture(false);
    case 12:
      return blocks(rgb(0x8a3a2a), 32, 16, true, 2, 1, 18, 0.35f, 0.25f);
    case 13:
      return crate();
    case 14:
      return hazard();
    case 15:
      return computer();
    case 16: {
      image img = natural(rgb(0x6a3a1a), rgb(0xa86a30), 19, 8, 2.5f);
      rivets(img, 32, 4, rgb(0x7a4a2a));
      return img;
    }
    case 17:
      return void_texture(true);
    case 18:
      return sky_opening();
    case 19:
      return toxic();
    case 20:
      return girder();
    case 21:
      return rail_track();
    case 22:
      return marble();
    case 23:
      return castle_stone();
    case 24:
      return vault_plate();
    case 25:
      return wood();
    case 26:
      return grate();
    case 27:
      return carpet();
    case 28:
      return cheese();
    case 29:
      return blue_panel();
    case 30:
      return checker();
    case 31:
      return corrugated();
    case 32:
      return sand();
    case 33:
      return sandstone();
    case 34:
      return snow();
    case 35:
      return alien();
    case 36:
      return lab_glass();
    case 37:
      return brass();
    case 38:
      return gravel();
    case 39:
      return timber();
    case 40:
      return red_white();
    case 41:
      return control_panel();
    default:
      return hub_wall();
  }
}

image draw_default_world_texture(int) {
  image img = blocks(rgb(0x3a5a7a), 64, 64, false, 2, 3, 5, 0.2f, 0.1f);
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      int x = bx * 64, y = by * 64;
      color t = (bx + by) % 2 ? rgb(0xe0b030) : rgb(0xd0d8e0);
      fill_rect(img, x + 18, y + 16, x + 46, y + 24, t);
      fill_rect(img, x + 28, y + 16, x + 36, y + 48, t);
      fill_rect(img, x + 18, y + 16, x + 46, y + 18, scale_rgb(t, 1.2f));
    }
  return img;
}
