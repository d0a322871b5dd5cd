// WebP output through libwebp's advanced encoding interface.
#include "tools/assetgen/webp_writer.h"

#include <webp/encode.h>

#include <cstdio>

#include "tools/assetgen/file_output.h"

bool write_webp(const image& img, const char* path, webp_mode mode) {
  WebPConfig config;
  if (!WebPConfigInit(&config)) return false;
  if (mode == webp_mode::lossless) {
    WebPConfigLosslessPreset(&config, 2);
  } else {
    config.quality = 88.0f;
    config.method = 4;
    config.alpha_quality = 100;
  }
  config.thread_level = 0;
  WebPPicture pic;
  if (!WebPPictureInit(&pic)) return false;
  pic.use_argb = mode == webp_mode::lossless ? 1 : 0;
  pic.width = img.width;
  pic.height = img.height;
  WebPMemoryWriter writer;
  WebPMemoryWriterInit(&writer);
  pic.writer = WebPMemoryWrite;
  pic.custom_ptr = &writer;
  bool ok = WebPPictureImportRGBA(&pic, img.pixels.data(), img.width * 4) && WebPEncode(&config, &pic);
  if (!ok) printf("assetgen: WebP encoding of %s failed (error %d)\n", path, (int)pic.error_code);
  WebPPictureFree(&pic);
  if (ok) ok = write_whole_file(path, writer.mem, writer.size);
  WebPMemoryWriterClear(&writer);
  return ok;
}
