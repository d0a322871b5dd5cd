// Writing RGBA images as PNG files (used by the contact-sheet preview only).
#pragma once

#include "tools/assetgen/raster.h"

// Writes img as an 8-bit RGBA PNG to path. Returns false, with a printed reason, on failure.
bool write_png(const image& img, const char* path);
