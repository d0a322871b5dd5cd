// Ogg Opus output through libopusenc, 16-bit input, fixed serial numbers.
#include "tools/assetgen/opus_writer.h"

#include <opus/opusenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "tools/assetgen/file_output.h"

int frame_count(const sample_buffer& buf) {
  return buf.channels > 0 ? (int)(buf.samples.size() / buf.channels) : 0;
}

bool write_opus(const sample_buffer& buf, const char* path, int bitrate, int serial) {
  if (!make_parent_dirs(path)) return false;
  OggOpusComments* comments = ope_comments_create();
  if (!comments) return false;
  int error = 0;
  OggOpusEnc* enc = ope_encoder_create_file(path, comments, 48000, buf.channels, 0, &error);
  ope_comments_destroy(comments);
  if (!enc) {
    printf("assetgen: cannot start Opus file %s: %s\n", path, ope_strerror(error));
    return false;
  }
  ope_encoder_ctl(enc, OPE_SET_SERIALNO(serial));
  ope_encoder_ctl(enc, OPUS_SET_BITRATE(bitrate));
  ope_encoder_ctl(enc, OPUS_SET_COMPLEXITY(8));
  std::vector<int16_t> pcm(buf.samples.size());
  for (size_t i = 0; i < pcm.size(); ++i) {
    float v = std::max(-1.0f, std::min(1.0f, buf.samples[i]));
    pcm[i] = (int16_t)std::lround(v * 32767.0f);
  }
  int ok = ope_encoder_write(enc, pcm.data(), frame_count(buf));
  if (ok == OPE_OK) ok = ope_encoder_drain(enc);
  ope_encoder_destroy(enc);
  if (ok != OPE_OK) {
    printf("assetgen: Opus encoding of %s failed: %s\n", path, ope_strerror(ok));
    return false;
  }
  return true;
}
