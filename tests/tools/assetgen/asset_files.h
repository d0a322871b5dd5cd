// Helpers of the asset tests: where the generated data lives and how to read it back.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/raster.h"

// The data folder the build generated (TARVO_DATA_DIR, or "data" when unset).
std::string data_dir();
// Whole contents of a file; false when it cannot be read.
bool read_bytes(const std::string& path, std::vector<unsigned char>& out);
// Decodes a WebP file below the data folder into img; false when missing or not WebP.
bool load_webp(const std::string& rel_path, image& img);
// Every texture path the engine's catalogue opens, below the data folder, in slot order.
std::vector<std::string> catalogue_paths();
// Number of pixels in the rectangle x0 <= x < x1, y0 <= y < y1 with alpha above the threshold.
int opaque_count(const image& img, int x0, int y0, int x1, int y1, int threshold = 25);
