// Parts of the generator on their own: the model renderer, the looping mix bus and the preview.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tests/tools/assetgen/asset_files.h"
#include "tools/assetgen/contact_sheet.h"
#include "tools/assetgen/model3d.h"
#include "tools/assetgen/synth.h"

namespace {

uint32_t be32(const unsigned char* p) {
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

}  // namespace

TEST(ModelRenderer, SphereIsARoundOutlinedDiscLitFromTheUpperLeft) {
  model m;
  add_ellipsoid(m, {0, 0, 0}, {1, 1, 1}, material{rgb(0xc08040), 0, false});
  image img = image_make(64, 64, clear_color());
  ortho_view v;
  v.scale = 20;
  v.focus_x = 32;
  v.focus_y = 32;
  render_model(m, v, img);
  // Radius 20 pixels plus a one-pixel outline; nothing beyond.
  EXPECT_GT(pixel_alpha(img, 32, 32 - 19), 0);
  EXPECT_GT(pixel_alpha(img, 32 + 20, 32), 0);
  EXPECT_EQ(pixel_alpha(img, 32 + 23, 32), 0);
  EXPECT_EQ(pixel_alpha(img, 32 + 16, 32 + 16), 0);
  color rim = pixel_get(img, 32 + 20, 32);
  EXPECT_LT(rim.r, 0.3f) << "silhouette pixels are dark";
  color lit = pixel_get(img, 32 - 8, 32 - 8), shaded = pixel_get(img, 32 + 10, 32 + 10);
  EXPECT_GT(lit.r, shaded.r + 0.1f);
}

TEST(ModelRenderer, NearerPartHidesFartherOne) {
  model m;
  add_box(m, {0, 0, -1}, {1, 1, 0.1}, material{rgb(0x0000ff), 0, true});
  add_box(m, {0, 0, 1}, {0.5, 0.5, 0.1}, material{rgb(0xff0000), 0, true});
  image img = image_make(64, 64, clear_color());
  ortho_view v;  // camera on the +z side
  v.scale = 20;
  v.focus_x = 32;
  v.focus_y = 32;
  v.outline = false;
  render_model(m, v, img);
  EXPECT_GT(pixel_get(img, 32, 32).r, 0.9f);
  EXPECT_GT(pixel_get(img, 32 + 15, 32).b, 0.9f);
}

TEST(LoopBus, WritesPastTheEndWrapToTheStart) {
  loop_bus bus = bus_make(100);
  bus_add(bus, 105, 1.0f, -1.0f);
  bus_add(bus, -3, 1.0f, 1.0f);
  EXPECT_NEAR(bus.left[5], 1.0f, 1e-6);
  EXPECT_NEAR(bus.right[5], 0.0f, 1e-6);
  EXPECT_NEAR(bus.right[97], 1.0f, 1e-6);
}

TEST(LoopBus, EchoOfTheLastFramesReachesTheFirst) {
  loop_bus bus = bus_make(1000);
  bus_add(bus, 990, 1.0f, -1.0f);
  bus_echo(bus, 20, 0.0f, 0.5f);
  // The echo of frame 990 lands 20 frames later, past the loop point, on the other side.
  EXPECT_NEAR(bus.right[10], 0.5f, 1e-6);
}

TEST(ContactSheet, WritesAValidPngOfTheChosenImages) {
  std::string out = (std::filesystem::temp_directory_path() / "tarvo_contact_sheet.png").string();
  ASSERT_TRUE(write_contact_sheet(data_dir().c_str(), out.c_str(), "items/", 64));
  std::vector<unsigned char> png;
  ASSERT_TRUE(read_bytes(out, png));
  ASSERT_GT(png.size(), 33u);
  const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_TRUE(std::equal(sig, sig + 8, png.begin()));
  uint32_t w = be32(&png[16]), h = be32(&png[20]);
  // Seven item images fit on one row of cells.
  EXPECT_EQ(w, 7u * (132 + 8));
  EXPECT_EQ(h, 64u + 30 + 8);
  // Walk the chunks, check every CRC and inflate the image data to its full size.
  std::vector<unsigned char> packed;
  size_t at = 8;
  bool ended = false;
  while (at + 12 <= png.size()) {
    uint32_t len = be32(&png[at]);
    ASSERT_LE(at + 12 + len, png.size());
    uLong crc = crc32(0L, &png[at + 4], len + 4);
    EXPECT_EQ(crc, be32(&png[at + 8 + len]));
    std::string type(png.begin() + at + 4, png.begin() + at + 8);
    if (type == "IDAT") packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + len);
    if (type == "IEND") ended = true;
    at += 12 + len;
  }
  EXPECT_TRUE(ended);
  std::vector<unsigned char> raw((size_t)h * (w * 4 + 1));
  uLongf raw_size = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &raw_size, packed.data(), packed.size()), Z_OK);
  EXPECT_EQ(raw_size, raw.size());
  std::filesystem::remove(out);
}

TEST(ContactSheet, ReportsAFilterThatMatchesNothing) {
  std::string out = (std::filesystem::temp_directory_path() / "tarvo_contact_none.png").string();
  EXPECT_FALSE(write_contact_sheet(data_dir().c_str(), out.c_str(), "no-such-image", 64));
  EXPECT_FALSE(std::filesystem::exists(out));
}
