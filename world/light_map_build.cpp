// Turning a polygon's light grid into its light-map texture.
#include "world/light_map_build.h"

#include <cstddef>
#include <vector>

#include "base/texture_upload.h"

namespace {

// The grid cell whose value a texel shows: itself inside, the neighbour one
// step inwards on the border (rows first, so corners follow the row rule).
uint8_t texel_alpha(const int32_t* const* grid, int32_t rows, int32_t cols, int32_t r, int32_t c) {
  int32_t value;
  if (r == 0)
    value = grid[1][c];
  else if (r == rows - 1)
    value = grid[rows - 2][c];
  else if (c == 0)
    value = grid[r][1];
  else if (c == cols - 1)
    value = grid[r][cols - 2];
  else
    value = grid[r][c];
  return static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

uint8_t* light_map_alpha(const int32_t* const* grid, int32_t rows, int32_t cols) {
  if (!grid || rows < 2 || cols < 2) return nullptr;
  uint8_t* alpha = new uint8_t[static_cast<size_t>(rows) * static_cast<size_t>(cols)];
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c)
      alpha[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
          texel_alpha(grid, rows, cols, r, c);
  return alpha;
}

uint32_t light_map_build(const int32_t* const* grid, int32_t rows, int32_t cols) {
  uint8_t* alpha = light_map_alpha(grid, rows, cols);
  if (!alpha) return 0;
  uint32_t name = light_map_upload(alpha, rows, cols);
  delete[] alpha;
  return name;
}

int32_t light_map_uniform_darkness(const int32_t* const* grid, int32_t rows, int32_t cols) {
  if (!grid || rows < 2 || cols < 2) return -1;
  uint8_t first = texel_alpha(grid, rows, cols, 0, 0);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c)
      if (texel_alpha(grid, rows, cols, r, c) != first) return -1;
  return first;
}
