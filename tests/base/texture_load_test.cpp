// Loading WebP files into GL textures, and the catalogue's slots.
#include "base/texture_load.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <webp/encode.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/texture_catalogue.h"
#include "base/texture_table.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"

namespace {

// A w x h RGBA image whose pixel (x, y) is (x * 16, y * 16, 200, 255 - y),
// so rows and columns can be told apart.
std::vector<uint8_t> gradient(int w, int h) {
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(x * 16);
      p[1] = static_cast<uint8_t>(y * 16);
      p[2] = 200;
      p[3] = static_cast<uint8_t>(255 - y);
    }
  return rgba;
}

std::string temp_path(const std::string& name) { return std::string(testing::TempDir()) + name; }

void write_file(const std::string& path, const void* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  fwrite(data, 1, size, file);
  fclose(file);
}

// Encodes the image losslessly with libwebp into `path`.
void write_webp(const std::string& path, const std::vector<uint8_t>& rgba, int w, int h) {
  uint8_t* out = nullptr;
  size_t size = WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &out);
  ASSERT_GT(size, 0u);
  write_file(path, out, size);
  WebPFree(out);
}

std::vector<uint8_t> read_back(uint32_t texture, int* w, int* h) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, h);
  std::vector<uint8_t> pixels(static_cast<size_t>(*w) * *h * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

class TextureTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

}  // namespace

TEST_F(TextureTest, WebPIsUploadedAtItsSizeTopRowFirst) {
  std::string path = temp_path("gradient.webp");
  std::vector<uint8_t> image = gradient(6, 4);
  write_webp(path, image, 6, 4);

  capture_stdout_begin();
  uint32_t texture = load_texture(path.c_str(), false);
  std::string log = capture_stdout_end();
  ASSERT_NE(texture, 0u);
  EXPECT_TRUE(lines_in_order(
      log, {"FILE: \"" + path + "\"\n", "sucess!\n", "got tex handle " + std::to_string(texture) + "\n"}))
      << log;

  int w = 0, h = 0;
  std::vector<uint8_t> pixels = read_back(texture, &w, &h);
  EXPECT_EQ(w, 6);
  EXPECT_EQ(h, 4);
  EXPECT_EQ(pixels, image);  // lossless, and the texture's first row is the image's top row

  GLint min_filter = 0, mag_filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag_filter);
  EXPECT_EQ(min_filter, GL_NEAREST);
  EXPECT_EQ(mag_filter, GL_NEAREST);
  GLuint name = texture;
  glDeleteTextures(1, &name);
}

// The alpha kept per 8 x 8 block is the largest of the texels the GPU holds
// in it, blocks cut by the image's right and bottom edges included.
TEST_F(TextureTest, AlphaBlocksKeptAtLoadMatchTheUploadedTexels) {
  const int w = 19, h = 10;
  std::vector<uint8_t> image(static_cast<size_t>(w) * h * 4, 0);
  image[(static_cast<size_t>(2) * w + 3) * 4 + 3] = 90;    // block (0, 0)
  image[(static_cast<size_t>(9) * w + 18) * 4 + 3] = 250;  // the cut corner block (2, 1)
  image[(static_cast<size_t>(8) * w + 16) * 4 + 3] = 40;   // same block, smaller
  std::string path = temp_path("alpha.webp");
  write_webp(path, image, w, h);

  texture_alpha_blocks blocks{};
  capture_stdout_begin();
  uint32_t texture = load_texture(path.c_str(), false, nullptr, &blocks);
  capture_stdout_end();
  ASSERT_NE(texture, 0u);
  ASSERT_EQ(blocks.columns, 3);
  ASSERT_EQ(blocks.rows, 2);
  int rw = 0, rh = 0;
  std::vector<uint8_t> texels = read_back(texture, &rw, &rh);
  std::vector<uint8_t> expected(6, 0);
  for (int y = 0; y < rh; ++y)
    for (int x = 0; x < rw; ++x) {
      uint8_t& m = expected[static_cast<size_t>(y / 8) * 3 + x / 8];
      m = std::max(m, texels[(static_cast<size_t>(y) * rw + x) * 4 + 3]);
    }
  EXPECT_EQ(blocks.max_alpha, expected);
  EXPECT_EQ(blocks.max_alpha[0], 90);
  EXPECT_EQ(blocks.max_alpha[5], 250);

  load_texture("/nonexistent.webp", false, nullptr, &blocks);
  EXPECT_TRUE(blocks.max_alpha.empty());  // nothing kept from a file that did not load
  GLuint name = texture;
  glDeleteTextures(1, &name);
}

TEST_F(TextureTest, MipmappedTexturesUseNearestMipmapNearest) {
  std::string path = temp_path("mip.webp");
  write_webp(path, gradient(8, 8), 8, 8);
  capture_stdout_begin();
  uint32_t texture = load_texture(path.c_str(), true);
  capture_stdout_end();
  ASSERT_NE(texture, 0u);
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint min_filter = 0, level3_width = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &level3_width);
  EXPECT_EQ(min_filter, GL_NEAREST_MIPMAP_NEAREST);
  EXPECT_EQ(level3_width, 1);  // 8, 4, 2, 1: every level built
}

TEST_F(TextureTest, FileMadeByCwebpLoads) {
  // A PPM written here, encoded by Debian's cwebp in lossless mode.
  std::string ppm = temp_path("cwebp_src.ppm");
  std::string webp = temp_path("cwebp_out.webp");
  std::string header = "P6\n3 2\n255\n";
  const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  FILE* file = fopen(ppm.c_str(), "wb");
  fwrite(header.data(), 1, header.size(), file);
  fwrite(rgb, 1, sizeof rgb, file);
  fclose(file);
  ASSERT_EQ(system(("cwebp -quiet -lossless " + ppm + " -o " + webp).c_str()), 0);

  capture_stdout_begin();
  uint32_t texture = load_texture(webp.c_str(), false);
  capture_stdout_end();
  ASSERT_NE(texture, 0u);
  int w = 0, h = 0;
  std::vector<uint8_t> pixels = read_back(texture, &w, &h);
  ASSERT_EQ(w, 3);
  ASSERT_EQ(h, 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(pixels[i * 4 + 0], rgb[i * 3 + 0]) << i;
    EXPECT_EQ(pixels[i * 4 + 1], rgb[i * 3 + 1]) << i;
    EXPECT_EQ(pixels[i * 4 + 2], rgb[i * 3 + 2]) << i;
    EXPECT_EQ(pixels[i * 4 + 3], 255) << i;
  }
}

TEST_F(TextureTest, MissingOrUndecodableFilesGiveZero) {
  capture_stdout_begin();
  uint32_t missing = load_texture("/nonexistent/none.webp", false);
  std::string log = capture_stdout_end();
  EXPECT_EQ(missing, 0u);
  EXPECT_TRUE(lines_in_order(log, {"FILE: \"/nonexistent/none.webp\"\n", "Error"})) << log;
  EXPECT_EQ(log.find("sucess!"), std::string::npos);

  // A file that opens but is not WebP: nothing is uploaded.
  std::string junk = temp_path("junk.webp");
  write_file(junk, "RIFF\x10\0\0\0WEBPnot really", 21);
  std::string empty = temp_path("empty.webp");
  write_file(empty, "", 0);
  for (const std::string& path : {junk, empty}) {
    GLuint before = 0;
    glGenTextures(1, &before);
    capture_stdout_begin();
    uint32_t texture = load_texture(path.c_str(), false);
    log = capture_stdout_end();
    EXPECT_EQ(texture, 0u) << path;
    EXPECT_NE(log.find("is not a WebP image"), std::string::npos) << log;
    EXPECT_EQ(log.find("sucess!"), std::string::npos) << log;
    glDeleteTextures(1, &before);
  }
}

TEST_F(TextureTest, ADirectoryIsNoImage) {
  // A directory opens for reading but reports an absurd size.
  capture_stdout_begin();
  uint32_t texture = load_texture(testing::TempDir().c_str(), false);
  std::string log = capture_stdout_end();
  EXPECT_EQ(texture, 0u);
  EXPECT_NE(log.find("cannot read"), std::string::npos) << log;
  EXPECT_EQ(log.find("sucess!"), std::string::npos) << log;
}

TEST(TextureCatalogue, ImagesInLoadOrderWithTheirSlots) {
  EXPECT_STREQ(catalogue_image(0).path, "data/textures/blood.webp");
  EXPECT_EQ(catalogue_image(0).slot, 0);
  EXPECT_STREQ(catalogue_image(5).path, "data/textures/tarvo.webp");
  EXPECT_EQ(catalogue_image(5).slot, 1);
  EXPECT_STREQ(catalogue_image(8).path, "data/textures/gun/g1f/1.webp");
  EXPECT_EQ(catalogue_image(8).slot, 20);
  EXPECT_STREQ(catalogue_image(9).path, "data/textures/gun/g1f/2.webp");
  EXPECT_EQ(catalogue_image(9).slot, 21);
  // The g0f frames load after g4r although their slots come first.
  int g4r_1 = 8 + 4 + 11 + 4 + 14 + 4 + 17 + 6 + 1;
  EXPECT_STREQ(catalogue_image(g4r_1).path, "data/textures/gun/g4r/1.webp");
  EXPECT_EQ(catalogue_image(g4r_1).slot, 83);
  int g0f_0 = 8 + 4 + 11 + 4 + 14 + 4 + 17 + 6 + 28;
  EXPECT_STREQ(catalogue_image(g0f_0).path, "data/textures/gun/g0f/0.webp");
  EXPECT_EQ(catalogue_image(g0f_0).slot, 9);
  EXPECT_STREQ(catalogue_image(catalogue_image_count - 1).path, "data/textures/title2.webp");
  EXPECT_EQ(catalogue_image(catalogue_image_count - 1).slot, 162);

  // Every image has its own slot; the slots of the table's gaps stay unused.
  std::vector<int> uses(texture_slot_count, 0);
  for (int i = 0; i < catalogue_image_count; ++i) uses[catalogue_image(i).slot] += 1;
  for (int slot = 0; slot < texture_slot_count; ++slot) EXPECT_LE(uses[slot], 1) << slot;
  for (int gap : {19, 35, 36, 112, 119, 134, 139, 147, 149, 157, 159}) EXPECT_EQ(uses[gap], 0) << gap;
}

TEST_F(TextureTest, CatalogueFillsSlotsAndLeavesMissingOnesZero) {
  // A data/ tree with three of the catalogue's images: the sky missing.
  std::string dir = temp_path("catalogue_dir");
  ASSERT_EQ(system(("mkdir -p " + dir + "/data/textures/gun/g4r").c_str()), 0);
  write_webp(dir + "/data/textures/blood.webp", gradient(2, 2), 2, 2);
  write_webp(dir + "/data/textures/gun/g4r/1.webp", gradient(2, 2), 2, 2);
  write_webp(dir + "/data/textures/title2.webp", gradient(2, 2), 2, 2);
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  texture_table textures{};
  capture_stdout_begin();
  load_texture_catalogue(textures);
  std::string log = capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);

  EXPECT_NE(textures.slots[0], 0u);
  EXPECT_NE(textures.slots[83], 0u);
  EXPECT_NE(textures.slots[162], 0u);
  int loaded = 0;
  for (uint32_t slot : textures.slots) loaded += slot != 0;
  EXPECT_EQ(loaded, 3);
  EXPECT_EQ(textures.slots[7], 0u);
  EXPECT_EQ(count_occurrences(log, "FILE: "), catalogue_image_count);
  EXPECT_TRUE(lines_in_order(
      log, {"FILE: \"data/textures/sky/sky.webp\"\n", "Error", "FILE: \"data/textures/sky/sky2.webp\"\n"}));
  EXPECT_TRUE(lines_in_order(
      log, {"data/textures/blood.webp", "sucess!", "data/textures/font_1.webp",
            "data/textures/gun/g4r/1.webp\"\n", "sucess!", "data/textures/title2.webp\"\n", "sucess!"}));

  // Loading again gives new names in the same slots.
  uint32_t first = textures.slots[0];
  ASSERT_EQ(chdir(dir.c_str()), 0);
  capture_stdout_begin();
  load_texture_catalogue(textures);
  capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);
  EXPECT_NE(textures.slots[0], 0u);
  EXPECT_NE(textures.slots[0], first);
}
