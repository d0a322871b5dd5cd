// Writing PNG files and reading them back with libpng's own reader.
#include "image/png_write.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string temp_path(const std::string& name) {
  const char* tmp = getenv("TMPDIR");
  return std::string(tmp ? tmp : "/tmp") + "/tarvo_png_" + std::to_string(getpid()) + "_" + name;
}

struct decoded {
  bool ok = false;
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> pixels;  // top row first, in the file's own format
};

decoded read_png(const std::string& path) {
  decoded out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  out.channels = PNG_IMAGE_PIXEL_CHANNELS(image.format);
  image.format = out.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  out.ok = png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return out;
}

// A small picture whose every pixel differs, so a flipped or shifted row shows.
std::vector<uint8_t> gradient(int width, int height, int channels) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c)
        pixels[(static_cast<size_t>(y) * width + x) * channels + c] =
            static_cast<uint8_t>(x * 16 + y * 3 + c * 70);
  return pixels;
}

TEST(PngWrite, RgbAndRgbaImagesReadBackPixelForPixelAndBottomUpRowsAreTurnedOver) {
  const int width = 13;  // an odd row length: no row padding may creep in
  const int height = 7;
  std::vector<uint8_t> rgb = gradient(width, height, 3);
  std::vector<uint8_t> rgba = gradient(width, height, 4);
  std::string rgb_path = temp_path("rgb.png");
  std::string rgba_path = temp_path("rgba.png");
  std::string flipped_path = temp_path("flipped.png");

  ASSERT_TRUE(image_write_png(rgb_path.c_str(), image_view{rgb.data(), width, height, 3, false}));
  ASSERT_TRUE(image_write_png(rgba_path.c_str(), image_view{rgba.data(), width, height, 4, false}));
  ASSERT_TRUE(image_write_png(flipped_path.c_str(), image_view{rgb.data(), width, height, 3, true}));

  decoded a = read_png(rgb_path);
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.width, width);
  EXPECT_EQ(a.height, height);
  EXPECT_EQ(a.channels, 3);
  EXPECT_EQ(a.pixels, rgb);

  decoded b = read_png(rgba_path);
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.channels, 4);
  EXPECT_EQ(b.pixels, rgba);

  decoded c = read_png(flipped_path);
  ASSERT_TRUE(c.ok);
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    EXPECT_TRUE(std::equal(c.pixels.begin() + y * row, c.pixels.begin() + (y + 1) * row,
                           rgb.begin() + (height - 1 - y) * row))
        << "row " << y;
  unlink(rgb_path.c_str());
  unlink(rgba_path.c_str());
  unlink(flipped_path.c_str());
}

TEST(PngWrite, ImagesItCannotWriteAreRefusedWithAReasonAndLeaveNoFile) {
  std::vector<uint8_t> pixels = gradient(4, 4, 4);
  std::string path = temp_path("refused.png");
  char reason[128] = "";

  EXPECT_FALSE(
      image_write_png(path.c_str(), image_view{pixels.data(), 4, 4, 2, false}, reason, sizeof reason));
  EXPECT_STRNE(reason, "");
  EXPECT_FALSE(image_write_png(path.c_str(), image_view{pixels.data(), 0, 4, 4, false}));
  EXPECT_FALSE(image_write_png(path.c_str(), image_view{pixels.data(), 4, -1, 4, false}));
  EXPECT_FALSE(image_write_png(path.c_str(), image_view{nullptr, 4, 4, 4, false}));
  EXPECT_FALSE(image_write_png(path.c_str(), image_view{pixels.data(), 2000000, 1, 4, false}));
  EXPECT_NE(access(path.c_str(), F_OK), 0);

  reason[0] = '\0';
  EXPECT_FALSE(image_write_png("/nonexistent-folder/shot.png", image_view{pixels.data(), 4, 4, 4, false},
                               reason, sizeof reason));
  EXPECT_STREQ(reason, "No such file or directory");
}

}  // namespace
