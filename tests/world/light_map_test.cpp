// Light maps read back from GL: the border rule and the low 8 bits.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/gl_context.h"
#include "world/light_map_build.h"

namespace {

// The alpha channel of a texture, row by row.
std::vector<int> read_alpha(uint32_t name, int rows, int cols) {
  std::vector<unsigned char> rgba(static_cast<size_t>(rows * cols * 4), 7);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<int> alpha;
  for (int i = 0; i < rows * cols; ++i) {
    EXPECT_EQ(rgba[static_cast<size_t>(i * 4)], 0);  // black
    alpha.push_back(rgba[static_cast<size_t>(i * 4 + 3)]);
  }
  return alpha;
}

uint32_t build(std::vector<std::vector<int32_t>>& cells) {
  std::vector<const int32_t*> grid;
  for (auto& row : cells) grid.push_back(row.data());
  return light_map_build(grid.data(), static_cast<int32_t>(cells.size()),
                         static_cast<int32_t>(cells[0].size()));
}

TEST(LightMap, ThreeByThreeBorderCopiesItsInnerNeighbour) {
  ASSERT_TRUE(test_gl_context());
  std::vector<std::vector<int32_t>> cells = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  GLuint name = build(cells);
  ASSERT_NE(name, 0u);
  EXPECT_EQ(read_alpha(name, 3, 3), (std::vector<int>{40, 50, 60, 50, 50, 50, 40, 50, 60}));
  GLint width = 0, height = 0, min_filter = 0, mag_filter = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag_filter);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(min_filter, GL_LINEAR);
  EXPECT_EQ(mag_filter, GL_LINEAR);
  glDeleteTextures(1, &name);
}

TEST(LightMap, ValuesWrapToTheirLowEightBits) {
  ASSERT_TRUE(test_gl_context());
  // A 4 x 3 grid (4 rows, 3 columns): the two interior texels are the
  // centre column of rows 1 and 2.
  std::vector<std::vector<int32_t>> cells = {{9, 9, 9}, {511, 256, 0}, {0, 300, -1}, {9, 9, 9}};
  GLuint name = build(cells);
  std::vector<int> alpha = read_alpha(name, 4, 3);
  EXPECT_EQ(alpha[4], 0);     // interior 256
  EXPECT_EQ(alpha[7], 44);    // interior 300
  EXPECT_EQ(alpha[0], 255);   // corner (0, 0) follows the row rule: grid[1][0] = 511
  EXPECT_EQ(alpha[3], 0);     // (1, 0) takes grid[1][1] = 256
  EXPECT_EQ(alpha[8], 44);    // (2, 2) takes grid[2][1] = 300
  EXPECT_EQ(alpha[11], 255);  // (3, 2) takes grid[2][2] = -1
  glDeleteTextures(1, &name);
}

TEST(LightMap, GridsSmallerThanTwoByTwoBuildNothing) {
  ASSERT_TRUE(test_gl_context());
  int32_t row[3] = {1, 2, 3};
  const int32_t* grid[1] = {row};
  EXPECT_EQ(light_map_build(grid, 1, 3), 0u);
  EXPECT_EQ(light_map_build(grid, 3, 1), 0u);
  EXPECT_EQ(light_map_build(nullptr, 2, 2), 0u);
}

}  // namespace

namespace {

// Whether a light map is one darkness throughout is judged on the texels
// the border rule gives, not on the grid: the border rows copy the rows
// inside, so what they hold themselves is never seen; values count by their
// low 8 bits.
TEST(LightMap, UniformDarknessFollowsTheTexels) {
  auto darkness = [](std::vector<std::vector<int32_t>> cells) {
    std::vector<const int32_t*> grid;
    for (auto& row : cells) grid.push_back(row.data());
    return light_map_uniform_darkness(grid.data(), static_cast<int32_t>(cells.size()),
                                      static_cast<int32_t>(cells[0].size()));
  };
  EXPECT_EQ(darkness({{1, 2, 3}, {90, 90, 90}, {7, 8, 9}}), 90);
  EXPECT_EQ(darkness({{1, 2, 3}, {4, 90, 6}, {7, 8, 9}}), -1);  // corners copy row 1's ends
  EXPECT_EQ(darkness({{0, 0}, {0, 0}}), 0);
  EXPECT_EQ(darkness({{7, 7, 7}, {300, 300, 44}, {7, 7, 7}}), 44);  // 300 shows as 44
  EXPECT_EQ(darkness({{9, 9, 9}, {9, 60, 9}, {9, 61, 9}, {9, 9, 9}}), -1);
  EXPECT_EQ(darkness({{1, 2, 3}}), -1);
  EXPECT_EQ(light_map_uniform_darkness(nullptr, 3, 3), -1);
}

}  // namespace
