// Turning a polygon's light grid into its light-map texture.
#pragma once
#include <cstdint>

// The light map's darkness for cols x rows texels (a new[] array, row by
// row): the low 8 bits of the grid (grid[r] is row r); border texels copy
// the neighbour one step inwards, rows tested before columns. Null when the
// grid is smaller than 2 x 2 (the border rule needs an inner neighbour).
uint8_t* light_map_alpha(const int32_t* const* grid, int32_t rows, int32_t cols);

// Builds the black RGBA texture of light_map_alpha's darkness. Linear
// filtering, no mipmaps. Returns the GL texture name; 0 without building
// anything when the grid is smaller than 2 x 2.
uint32_t light_map_build(const int32_t* const* grid, int32_t rows, int32_t cols);

// The darkness every texel of the light map light_map_build makes from this
// grid shares (0 to 255), or -1 when its texels differ or the grid is
// smaller than 2 x 2.
int32_t light_map_uniform_darkness(const int32_t* const* grid, int32_t rows, int32_t cols);
