// A minimal PNG encoder: IHDR, one zlib-compressed IDAT with filter 0 rows, IEND.
#include "tools/assetgen/png_writer.h"

#include <cstdio>
#include <vector>

#include <zlib.h>

#include "tools/assetgen/file_output.h"

namespace {

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back((uint8_t)(v >> 24));
  out.push_back((uint8_t)(v >> 16));
  out.push_back((uint8_t)(v >> 8));
  out.push_back((uint8_t)v);
}

void put_chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  put_u32(out, (uint32_t)body.size());
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  uLong crc = crc32(0L, &out[start], (uInt)(out.size() - start));
  put_u32(out, (uint32_t)crc);
}

}  // namespace

bool write_png(const image& img, const char* path) {
  std::vector<uint8_t> raw;
  raw.reserve((size_t)img.height * (img.width * 4 + 1));
  for (int y = 0; y < img.height; ++y) {
    raw.push_back(0);
    const uint8_t* row = &img.pixels[(size_t)y * img.width * 4];
    raw.insert(raw.end(), row, row + img.width * 4);
  }
  uLongf packed_size = compressBound((uLong)raw.size());
  std::vector<uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), (uLong)raw.size(), 6) != Z_OK) {
    printf("assetgen: PNG compression failed for %s\n", path);
    return false;
  }
  packed.resize(packed_size);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  put_u32(header, (uint32_t)img.width);
  put_u32(header, (uint32_t)img.height);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  put_chunk(out, "IHDR", header);
  put_chunk(out, "IDAT", packed);
  put_chunk(out, "IEND", {});
  return write_whole_file(path, out.data(), out.size());
}
