// Measuring a recorded part of the mix: loudness by libebur128, the share of
// energy below 80 Hz by one FFTW transform of each channel.
#include "tools/mixcheck/mix_measure.h"

#include <ebur128.h>
#include <fftw3.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr double low_edge_hz = 80.0;

// The interleaved stereo samples of the file's data chunk. The wave backend
// leaves the chunk's size 0 when it was not closed cleanly: the data then
// runs to the end of the file.
bool read_wav(const char* path, std::vector<int16_t>& samples) {
  FILE* f = fopen(path, "rb");
  if (!f) return false;
  std::vector<uint8_t> d;
  uint8_t buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) d.insert(d.end(), buf, buf + n);
  fclose(f);
  if (d.size() < 44 || memcmp(d.data(), "RIFF", 4) != 0 || memcmp(&d[8], "WAVE", 4) != 0) return false;
  size_t at = 12;
  while (at + 8 <= d.size()) {
    uint32_t size = d[at + 4] | d[at + 5] << 8 | d[at + 6] << 16 | static_cast<uint32_t>(d[at + 7]) << 24;
    if (memcmp(&d[at], "fmt ", 4) == 0 && at + 24 <= d.size()) {
      int channels = d[at + 10] | d[at + 11] << 8;
      int bits = d[at + 22] | d[at + 23] << 8;
      if (channels != 2 || bits != 16) return false;
    }
    if (memcmp(&d[at], "data", 4) == 0) {
      size_t begin = at + 8, end = size == 0 || begin + size > d.size() ? d.size() : begin + size;
      samples.resize((end - begin) / 2);
      memcpy(samples.data(), &d[begin], samples.size() * 2);
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

double low_share(const std::vector<int16_t>& samples) {
  size_t frames = samples.size() / 2;
  if (frames < 2) return 0.0;
  std::vector<double> in(frames);
  fftw_complex* out = fftw_alloc_complex(frames / 2 + 1);
  fftw_plan plan = fftw_plan_dft_r2c_1d(static_cast<int>(frames), in.data(), out, FFTW_ESTIMATE);
  double low = 0.0, total = 0.0;
  for (int ch = 0; ch < 2; ++ch) {
    for (size_t i = 0; i < frames; ++i) in[i] = samples[2 * i + ch] / 32768.0;
    fftw_execute(plan);
    for (size_t k = 1; k <= frames / 2; ++k) {
      double e = out[k][0] * out[k][0] + out[k][1] * out[k][1];
      total += e;
      if (static_cast<double>(k) * rate / static_cast<double>(frames) < low_edge_hz) low += e;
    }
  }
  fftw_destroy_plan(plan);
  fftw_free(out);
  return total > 0.0 ? low / total : 0.0;
}

}  // namespace

bool mix_measure(const char* wav_path, mix_measure_result* out) {
  std::vector<int16_t> samples;
  if (!read_wav(wav_path, samples)) {
    fprintf(stderr, "mixcheck: %s is not a 16-bit stereo WAV file\n", wav_path);
    return false;
  }
  ebur128_state* st = ebur128_init(2, rate, EBUR128_MODE_I | EBUR128_MODE_M);
  if (!st) return false;
  size_t frames = samples.size() / 2, step = rate / 10;
  out->momentary_max = -HUGE_VAL;
  for (size_t at = 0; at < frames; at += step) {
    size_t n = at + step <= frames ? step : frames - at;
    ebur128_add_frames_short(st, samples.data() + 2 * at, n);
    double m;
    if (at + n >= rate * 4 / 10 && ebur128_loudness_momentary(st, &m) == EBUR128_SUCCESS &&
        m > out->momentary_max)
      out->momentary_max = m;
  }
  if (ebur128_loudness_global(st, &out->integrated) != EBUR128_SUCCESS) out->integrated = -HUGE_VAL;
  ebur128_destroy(&st);
  out->low_share = low_share(samples);
  out->seconds = static_cast<double>(frames) / rate;
  return true;
}
