// The list of every image the generator writes: its path below data/, how it is drawn and encoded.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/raster.h"
#include "tools/assetgen/webp_writer.h"

// One image to generate: draw(arg) makes the pixels, which go to path encoded in mode.
struct image_job {
  std::string path;  // below the data folder, e.g. "textures/font_1.webp"
  image (*draw)(int arg);
  int arg;
  webp_mode mode;
};

// Every image of the data tree, in a fixed order.
std::vector<image_job> image_catalogue();
