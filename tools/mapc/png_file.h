// Writing an RGB image as an uncompressed PNG file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels (row by row, top first) as a PNG with stored
// (uncompressed) deflate blocks. False when the file cannot be written.
bool mapc_write_png(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
