// Loudness by libebur128, a soft limiter and a saturator.
#include "tools/assetgen/mastering.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

namespace {

// Runs the loudness meter over the buffer; mode is EBUR128_MODE_I or EBUR128_MODE_M.
double measure(const sample_buffer& buf, int mode) {
  int channels = std::max(1, buf.channels);
  ebur128_state* st = ebur128_init(static_cast<unsigned>(channels), 48000, mode);
  if (!st) return -HUGE_VAL;
  size_t frames = buf.samples.size() / channels, step = 4800;
  double best = -HUGE_VAL;
  for (size_t at = 0; at < frames; at += step) {
    size_t n = std::min(step, frames - at);
    ebur128_add_frames_float(st, buf.samples.data() + at * channels, n);
    double m;
    if (mode == EBUR128_MODE_M && ebur128_loudness_momentary(st, &m) == EBUR128_SUCCESS)
      best = std::max(best, m);
  }
  double result = best;
  if (mode == EBUR128_MODE_I && ebur128_loudness_global(st, &result) != EBUR128_SUCCESS) result = -HUGE_VAL;
  ebur128_destroy(&st);
  return result;
}

// Above `knee` the level bends smoothly towards `ceiling`, never past it.
float soft_limit(float v, float knee, float ceiling) {
  float a = std::fabs(v);
  if (a <= knee) return v;
  float room = ceiling - knee;
  float over = knee + room * std::tanh((a - knee) / room);
  return v < 0 ? -over : over;
}

}  // namespace

double loudness_integrated(const sample_buffer& buf) { return measure(buf, EBUR128_MODE_I); }

double loudness_momentary_max(const sample_buffer& buf) { return measure(buf, EBUR128_MODE_M); }

float master_loudness(sample_buffer& buf, double lufs, bool momentary, float ceiling) {
  float total = 1.0f;
  // The limiter takes a little loudness off the peaks: a second pass makes it up.
  for (int pass = 0; pass < 2; ++pass) {
    double now = momentary ? loudness_momentary_max(buf) : loudness_integrated(buf);
    if (!std::isfinite(now)) return total;
    float gain = static_cast<float>(std::pow(10.0, (lufs - now) / 20.0));
    for (float& v : buf.samples) v = soft_limit(v * gain, ceiling * 0.8f, ceiling);
    total *= gain;
  }
  return total;
}

void saturate(sample_buffer& buf, float drive, float peak) {
  float m = 1e-6f;
  for (float v : buf.samples) m = std::max(m, std::fabs(v));
  for (float& v : buf.samples) v = std::tanh(v / m * drive);
  float m2 = 1e-6f;
  for (float v : buf.samples) m2 = std::max(m2, std::fabs(v));
  for (float& v : buf.samples) v *= peak / m2;
}
