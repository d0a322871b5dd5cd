// The generated images: every catalogue path decodes, and each family has the layout the engine
// cuts it by (font grid, sprite-sheet cells, HUD strips, full-screen weapon frames).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tests/tools/assetgen/asset_files.h"

namespace {

// Mean absolute RGB difference between two same-sized rectangles of two images.
double region_difference(const image& a, int ax, int ay, const image& b, int bx, int by, int w, int h) {
  double sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      color p = pixel_get(a, ax + x, ay + y), q = pixel_get(b, bx + x, by + y);
      sum += std::fabs(p.r * p.a - q.r * q.a) + std::fabs(p.g * p.a - q.g * q.a) +
             std::fabs(p.b * p.a - q.b * q.a) + std::fabs(p.a - q.a);
    }
  return sum / (w * h);
}

bool has_clear_pixels(const image& img) {
  for (size_t i = 3; i < img.pixels.size(); i += 4)
    if (img.pixels[i] == 0) return true;
  return false;
}

}  // namespace

TEST(AssetImages, EveryCataloguePathDecodes) {
  std::vector<std::string> paths = catalogue_paths();
  EXPECT_EQ(paths.size(), 140u);
  for (const std::string& p : paths) {
    image img;
    ASSERT_TRUE(load_webp(p, img)) << p;
    EXPECT_GT(img.width, 0) << p;
    EXPECT_GT(img.height, 0) << p;
    EXPECT_GT(opaque_count(img, 0, 0, img.width, img.height), 0) << p << " is empty";
  }
}

TEST(AssetImages, CutOutImagesHaveRealTransparency) {
  for (const std::string& p : catalogue_paths()) {
    bool opaque_picture = p.find("sky/") != std::string::npos || p.find("tarvo.webp") != std::string::npos ||
                          p.find("logo") != std::string::npos || p.find("title") != std::string::npos;
    if (opaque_picture) continue;
    image img;
    ASSERT_TRUE(load_webp(p, img)) << p;
    EXPECT_TRUE(has_clear_pixels(img)) << p << " has no alpha-0 pixels";
  }
}

TEST(AssetImages, FontsAreSquareGridsWithAGlyphForEveryCharacter) {
  for (int which = 1; which <= 2; ++which) {
    image font;
    ASSERT_TRUE(load_webp(which == 1 ? "textures/font_1.webp" : "textures/font_2.webp", font));
    ASSERT_EQ(font.width, font.height);
    ASSERT_EQ(font.width % 8, 0);
    int cell = font.width / 8;
    int first = which == 1 ? 33 : 97, last = which == 1 ? 96 : 126;
    for (int i = 0; i < 64; ++i) {
      int c = first + i;
      int x0 = (i % 8) * cell, y0 = (i / 8) * cell;
      int white = 0;
      for (int y = y0; y < y0 + cell; ++y)
        for (int x = x0; x < x0 + cell; ++x) {
          color p = pixel_get(font, x, y);
          if (p.a > 0.9f && p.r > 0.99f && p.g > 0.99f && p.b > 0.99f) ++white;
        }
      if (c <= last)
        EXPECT_GT(white, 3) << "character " << c << " has no white strokes";
      else
        EXPECT_EQ(opaque_count(font, x0, y0, x0 + cell, y0 + cell, 0), 0)
            << "unused cell " << i << " of font " << which;
    }
  }
}

TEST(AssetImages, DistinctGlyphsForDistinctCharacters) {
  image f1, f2;
  ASSERT_TRUE(load_webp("textures/font_1.webp", f1));
  ASSERT_TRUE(load_webp("textures/font_2.webp", f2));
  int cell = f1.width / 8;
  auto at = [&](int c, const image*& img, int& x, int& y) {
    int i = c - 33;
    img = i < 64 ? &f1 : &f2;
    i %= 64;
    x = (i % 8) * cell;
    y = (i / 8) * cell;
  };
  for (int a = 33; a <= 126; ++a)
    for (int b = a + 1; b <= 126; ++b) {
      const image *ia, *ib;
      int ax, ay, bx, by;
      at(a, ia, ax, ay);
      at(b, ib, bx, by);
      EXPECT_GT(region_difference(*ia, ax, ay, *ib, bx, by, cell, cell), 0.01)
          << (char)a << " looks like " << (char)b;
    }
}

TEST(AssetImages, SpriteSheetsDivideIntoFiveColumnsAndTheirRows) {
  struct sheet {
    const char* path;
    double half_w, height;
    int rows;
  };
  const sheet sheets[] = {
      {"mob1", 1.0, 3.0, 8},    {"mob2", 1.5, 3.5, 10},   {"mob3", 1.0, 3.0, 10},  {"mob4", 2.0, 5.0, 10},
      {"mob5", 1.25, 3.5, 10},  {"mob6", 1.0, 3.0, 10},   {"mob7", 1.0, 3.0, 10},  {"mob8", 1.0, 3.0, 10},
      {"mob9", 1.0, 3.0, 10},   {"mob10", 1.0, 3.0, 10},  {"mob13", 1.5, 3.5, 10}, {"mob14", 1.25, 3.5, 10},
      {"boss1", 8.0, 12.0, 12}, {"boss2", 8.0, 12.0, 12},
  };
  for (const sheet& s : sheets) {
    image img;
    ASSERT_TRUE(load_webp(std::string("textures/mob/") + s.path + ".webp", img)) << s.path;
    ASSERT_EQ(img.width % 5, 0) << s.path;
    ASSERT_EQ(img.height % s.rows, 0) << s.path;
    int cw = img.width / 5, ch = img.height / s.rows;
    // Cells have the billboard's proportions, so the figure is not stretched in game.
    EXPECT_NEAR((double)cw / ch, 2.0 * s.half_w / s.height, 0.02) << s.path;
    for (int row = 0; row < s.rows; ++row)
      for (int col = 0; col < 5; ++col) {
        int n = opaque_count(img, col * cw, row * ch, (col + 1) * cw, (row + 1) * ch);
        if (row == 7 && col > 0)
          EXPECT_EQ(n, 0) << s.path << " corpse row holds only column 0";
        else
          EXPECT_GT(n, cw * ch / 40) << s.path << " row " << row << " column " << col << " is empty";
      }
    // The five directions show the body turning: neighbouring columns of the standing row differ.
    for (int col = 0; col + 1 < 5; ++col)
      EXPECT_GT(region_difference(img, col * cw, 0, img, (col + 1) * cw, 0, cw, ch), 0.02)
          << s.path << " columns " << col << " and " << col + 1 << " look the same";
    // Dying cells differ from one another.
    for (int k = 0; k + 1 < 5; ++k)
      EXPECT_GT(region_difference(img, k * cw, 6 * ch, img, (k + 1) * cw, 6 * ch, cw, ch), 0.02) << s.path;
    // A falling or lying body is never cut by its cell: the cells' side and
    // foot edges stay clear. The corpse lies on the cell's foot (the floor).
    for (int k = 0; k < 6; ++k) {
      const int x = (k % 5) * cw, y = (6 + k / 5) * ch;
      EXPECT_EQ(opaque_count(img, x, y, x + 1, y + ch) + opaque_count(img, x + cw - 1, y, x + cw, y + ch) +
                    opaque_count(img, x, y + ch - 1, x + cw, y + ch),
                0)
          << s.path << " dying cell " << k;
    }
    EXPECT_GT(opaque_count(img, 0, 8 * ch - ch / 10, cw, 8 * ch), 0) << s.path << " corpse above the floor";
  }
}

TEST(AssetImages, HudStripsHaveEqualCells) {
  image faces, icons, scope;
  ASSERT_TRUE(load_webp("textures/hudfaces.webp", faces));
  ASSERT_TRUE(load_webp("textures/hudicons.webp", icons));
  ASSERT_TRUE(load_webp("textures/xhair.webp", scope));
  ASSERT_EQ(faces.width, faces.height * 7);
  ASSERT_EQ(icons.width, icons.height * 5);
  int fc = faces.height, ic = icons.height;
  for (int k = 0; k < 7; ++k)
    EXPECT_GT(opaque_count(faces, k * fc, 0, (k + 1) * fc, fc), fc * fc / 4) << "face " << k;
  for (int k = 0; k < 5; ++k)
    EXPECT_GT(opaque_count(icons, k * ic, 0, (k + 1) * ic, ic), ic * ic / 8) << "icon " << k;
  // Each of the five shown faces is its own picture.
  for (int k = 0; k + 1 < 5; ++k)
    EXPECT_GT(region_difference(faces, k * fc, 0, faces, (k + 1) * fc, 0, fc, fc), 0.01);
  // The scope's centre is see-through glass, its rim dark.
  EXPECT_LT(pixel_alpha(scope, scope.width / 2 + 5, scope.height / 2 + 30), 100);
  EXPECT_EQ(pixel_alpha(scope, scope.width / 2, 1), 255);
}

TEST(AssetImages, WeaponFramesLeaveTheUpperScreenClear) {
  std::vector<std::string> paths = catalogue_paths();
  int frames = 0;
  for (const std::string& p : paths) {
    if (p.find("textures/gun/") != 0) continue;
    ++frames;
    image img;
    ASSERT_TRUE(load_webp(p, img)) << p;
    EXPECT_EQ(img.width * 9, img.height * 16) << p << " is not a wide full-screen frame";
    EXPECT_EQ(opaque_count(img, 0, 0, img.width, img.height / 4), 0) << p << " covers the top of the screen";
    EXPECT_GT(opaque_count(img, 0, img.height / 2, img.width, img.height), img.width * img.height / 60) << p;
  }
  EXPECT_EQ(frames, 98);
}

TEST(AssetImages, FiringFramesDifferFromTheRestingWeapon) {
  const char* pairs[][2] = {
      {"g1f/1", "g1f/4"}, {"g2f/1", "g2f/4"}, {"g3f/1", "g3r/1"}, {"g4r/0", "g4f/1"}, {"g0f/0", "g0f/5"}};
  for (auto& pr : pairs) {
    image rest, shot;
    ASSERT_TRUE(load_webp(std::string("textures/gun/") + pr[0] + ".webp", rest));
    ASSERT_TRUE(load_webp(std::string("textures/gun/") + pr[1] + ".webp", shot));
    EXPECT_GT(region_difference(rest, 0, 0, shot, 0, 0, rest.width, rest.height), 0.01)
        << pr[0] << " vs " << pr[1];
  }
}

TEST(AssetImages, WorldTexturesTileSeamlessly) {
  image tex;
  int count = 0;
  for (const char* name :
       {"metal_wall", "concrete",  "floor_tiles",   "ceiling_panel", "metal_floor", "rock",  "grass",
        "dirt",       "lab_tiles", "temple_stone",  "temple_carved", "void",        "brick", "crate",
        "hazard",     "computer",  "rust",          "void_crystal",  "lab_glass",   "brass", "gravel",
        "timber",     "red_white", "control_panel", "hub_wall"}) {
    ASSERT_TRUE(load_webp(std::string("textures/world/") + name + ".webp", tex)) << name;
    ++count;
    EXPECT_EQ(opaque_count(tex, 0, 0, tex.width, tex.height, 254), tex.width * tex.height) << name;
    // The jump across the wrap looks like any edge inside the picture (a joint between blocks at
    // most), never like a cut through the pattern.
    double inner_x = 0, inner_y = 0;
    for (int x = 0; x + 1 < tex.width; ++x)
      inner_x = std::max(inner_x, region_difference(tex, x, 0, tex, x + 1, 0, 1, tex.height));
    for (int y = 0; y + 1 < tex.height; ++y)
      inner_y = std::max(inner_y, region_difference(tex, 0, y, tex, 0, y + 1, tex.width, 1));
    double wrap_x = region_difference(tex, tex.width - 1, 0, tex, 0, 0, 1, tex.height);
    double wrap_y = region_difference(tex, 0, tex.height - 1, tex, 0, 0, tex.width, 1);
    EXPECT_LE(wrap_x, inner_x * 1.05 + 0.01) << name << " shows a seam at its left and right edges";
    EXPECT_LE(wrap_y, inner_y * 1.05 + 0.01) << name << " shows a seam at its top and bottom edges";
  }
  EXPECT_GE(count, 16);
}

TEST(AssetImages, SkyRowsWrapAroundTheHorizon) {
  for (const char* p : {"textures/sky/sky.webp", "textures/sky/sky2.webp"}) {
    image sky;
    ASSERT_TRUE(load_webp(p, sky));
    // Rows run around the cube, so the last row meets the first.
    double wrap = region_difference(sky, 0, sky.height - 1, sky, 0, 0, sky.width, 1);
    double step = 0;
    for (int y = 0; y + 1 < sky.height; ++y)
      step = std::max(step, region_difference(sky, 0, y, sky, 0, y + 1, sky.width, 1));
    EXPECT_LE(wrap, step * 1.05 + 0.01) << p;
    // The first and last columns (the walls' top and bottom edges) meet the lid along its rim in
    // opposite directions, so each is one plain colour, the same for both.
    color first{0, 0, 0, 0}, last{0, 0, 0, 0};
    for (int y = 0; y < sky.height; ++y) {
      first = mix(first, pixel_get(sky, 0, y), 1.0f / (y + 1));
      last = mix(last, pixel_get(sky, sky.width - 1, y), 1.0f / (y + 1));
    }
    for (int y = 0; y < sky.height; ++y) {
      color c = pixel_get(sky, 0, y);
      EXPECT_LT(std::fabs(c.r - first.r) + std::fabs(c.g - first.g) + std::fabs(c.b - first.b), 0.08f)
          << p << " row " << y;
    }
    EXPECT_LT(std::fabs(first.r - last.r) + std::fabs(first.g - last.g) + std::fabs(first.b - last.b), 0.05f)
        << p;
  }
  image blue, red;
  ASSERT_TRUE(load_webp("textures/sky/sky.webp", blue));
  ASSERT_TRUE(load_webp("textures/sky/sky2.webp", red));
  color b = pixel_get(blue, blue.width / 2, 10), r = pixel_get(red, red.width / 2, 10);
  EXPECT_GT(b.b, b.r);
  EXPECT_GT(r.r, r.b) << "the second sky is the red one";
}

TEST(AssetImages, WindowIconIsASmallRoundedTile) {
  // The window icon is read by the game as it opens its window: a square
  // image no larger than the game accepts, opaque in the middle and clear
  // in the rounded corners.
  image icon;
  ASSERT_TRUE(load_webp("textures/icon.webp", icon));
  EXPECT_EQ(icon.width, 64);
  EXPECT_EQ(icon.height, 64);
  EXPECT_EQ(pixel_alpha(icon, 0, 0), 0);
  EXPECT_EQ(pixel_alpha(icon, 63, 63), 0);
  EXPECT_EQ(opaque_count(icon, 8, 8, 56, 56), 48 * 48);
}
