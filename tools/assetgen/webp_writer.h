// Encoding images to WebP files with libwebp, single-threaded so the bytes never vary.
#pragma once

#include "tools/assetgen/raster.h"

// How an image is compressed.
enum class webp_mode {
  lossless,  // exact pixels: fonts, HUD, sprites, view models
  lossy,     // smaller photographic images: sky, titles, world textures (alpha kept exact)
};

// Encodes img and writes it to path. Returns false, with a printed reason, on failure.
bool write_webp(const image& img, const char* path, webp_mode mode);
