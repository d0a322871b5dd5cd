// The GPU side of textures the level owns: uploading a light map from its
// darkness texels and giving a texture name back. The level reader calls
// these so that world/ itself holds no GL.
#pragma once
#include <cstdint>
#include <vector>

// The light map's texels: black RGBA whose alpha is `alpha`.
std::vector<uint8_t> light_map_texels(const uint8_t* alpha, int32_t rows, int32_t cols);

// Uploads a light map of cols x rows texels of darkness `alpha` as a new
// texture with the light map's filtering (linear, no mipmaps). Used by the
// level reader and when a new GL context takes over a level's light maps.
uint32_t light_map_upload(const uint8_t* alpha, int32_t rows, int32_t cols);

// Deletes the texture `name`; nothing for 0.
void texture_release(uint32_t name);
