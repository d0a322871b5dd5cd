// Effects: filtered noise bursts with pitch-dropping thumps for the guns, a falling square zap,
// and a glottal buzz through moving vowel formants for the cries.
#include "tools/assetgen/sound_effects.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/mastering.h"
#include "tools/assetgen/synth.h"

namespace {

sample_buffer mono(double seconds) {
  sample_buffer b;
  b.channels = 1;
  b.samples.assign((size_t)(seconds * sample_rate), 0.0f);
  return b;
}

void normalize(sample_buffer& b, float peak) {
  float m = 1e-6f;
  for (float v : b.samples) m = std::max(m, std::fabs(v));
  for (float& v : b.samples) v *= peak / m;
}

// A gunshot: crack of bright noise, body of low-passed noise, sub thump, optional echo.
sample_buffer gunshot(double seconds, float crack_decay, float body_decay, float cutoff0, float thump_hz,
                      float echo_gain, uint64_t seed) {
  sample_buffer b = mono(seconds);
  rng r = rng_make(seed);
  svf body, crack;
  double phase = 0;
  for (size_t i = 0; i < b.samples.size(); ++i) {
    double t = (double)i / sample_rate;
    float n = oscillator(wave::noise, 0, r);
    float cr = n - svf_step(crack, n, 2500.0f, 0.7f);  // high-passed click
    float cut = cutoff0 * (float)std::exp(-t * 9.0) + 120.0f;
    float bd = svf_step(body, n, cut, 1.2f);
    double hz = thump_hz * (1.0 + 2.0 * std::exp(-t * 40.0));
    phase += hz / sample_rate;
    float th = (float)std::sin(2 * M_PI * phase);
    float attack = (float)std::min(1.0, t / 0.0015);
    b.samples[i] =
        attack * (cr * std::exp(-(float)t * crack_decay) * 0.9f +
                  bd * std::exp(-(float)t * body_decay) * 2.2f + th * std::exp(-(float)t * 18.0f) * 0.9f);
  }
  if (echo_gain > 0) {
    size_t d = (size_t)(0.11 * sample_rate);
    for (size_t i = d; i < b.samples.size(); ++i) b.samples[i] += b.samples[i - d] * echo_gain;
  }
  normalize(b, 0.92f);
  return b;
}

sample_buffer laser() {
  sample_buffer b = mono(0.42);
  rng r = rng_make(31);
  svf f;
  double phase = 0, ring = 0;
  for (size_t i = 0; i < b.samples.size(); ++i) {
    double t = (double)i / sample_rate;
    double hz = 180.0 + 1900.0 * std::exp(-t * 11.0) + 30.0 * std::sin(t * 2 * M_PI * 38.0);
    phase += hz / sample_rate;
    ring += 57.0 / sample_rate;
    float v = oscillator(wave::square, phase, r) * 0.6f + oscillator(wave::saw, phase * 1.007, r) * 0.4f;
    v *= 0.7f + 0.3f * (float)std::sin(2 * M_PI * ring);
    v = svf_step(f, v, 6000.0f * (float)std::exp(-t * 4.0) + 400.0f, 2.0f);
    float env = (float)(std::min(1.0, t / 0.004) * std::exp(-t * 6.5));
    b.samples[i] = v * env;
  }
  normalize(b, 0.85f);
  return b;
}

// A cry: glottal pulses at a falling pitch through two vowel formants gliding from "ah" to "oh".
sample_buffer cry(double seconds, double f0_start, double f0_end, bool metallic, uint64_t seed) {
  sample_buffer b = mono(seconds);
  rng r = rng_make(seed);
  svf f1, f2, f3, breath;
  double phase = 0, ring = 0;
  for (size_t i = 0; i < b.samples.size(); ++i) {
    double t = (double)i / sample_rate, k = t / seconds;
    double f0 = f0_start + (f0_end - f0_start) * k + 6.0 * std::sin(t * 2 * M_PI * 7.0) * k;
    phase += f0 / sample_rate;
    double p = phase - std::floor(phase);
    float pulse = (float)(p < 0.4 ? std::sin(M_PI * p / 0.4) : 0.0) - 0.25f;
    float n = oscillator(wave::noise, 0, r);
    float src = pulse + n * 0.12f;
    float a1 = (float)(750 - 300 * k), a2 = (float)(1250 - 450 * k), a3 = 2600.0f;
    svf_step(f1, src, a1, 9.0f);
    svf_step(f2, src, a2, 9.0f);
    svf_step(f3, src, a3, 6.0f);
    float v = f1.band * 1.0f + f2.band * 0.7f + f3.band * 0.25f;
    v += svf_step(breath, n, 3000.0f, 0.7f) * 0.08f;
    if (metallic) {
      ring += 410.0 / sample_rate;
      v = v * (0.45f + 0.55f * (float)std::sin(2 * M_PI * ring));
      v += (float)std::sin(2 * M_PI * 1870.0 * t) * 0.15f * (float)std::exp(-t * 14.0);
    }
    float env = (float)(std::min(1.0, t / 0.03) * (k < 0.6 ? 1.0 : std::max(0.0, 1.0 - (k - 0.6) / 0.4)));
    b.samples[i] = v * env;
  }
  normalize(b, 0.9f);
  return b;
}

}  // namespace

// Each effect is driven into a soft clipper, so it is dense rather than one spike, and brought to
// the loudness of its loudest 400 ms: the guns well above the music even from across a room.
sample_buffer render_sound_effect(int id) {
  sample_buffer b;
  float drive = 3.0f;
  double lufs = -10.0;
  switch (id) {
    case sfx_gun1:
      b = gunshot(0.36, 40.0f, 11.0f, 6000.0f, 115.0f, 0.3f, 11);
      drive = 4.0f;
      lufs = -9.0;
      break;
    case sfx_gun2:
      b = gunshot(0.75, 28.0f, 6.0f, 3600.0f, 80.0f, 0.35f, 12);
      drive = 4.0f;
      lufs = -8.0;
      break;
    case sfx_gun_lazer:
      b = laser();
      drive = 3.0f;
      lufs = -9.0;
      break;
    case sfx_human_pain:
      b = cry(0.5, 230.0, 150.0, false, 41);
      lufs = -11.0;
      break;
    default:
      b = cry(0.55, 120.0, 85.0, true, 42);
      lufs = -11.0;
      break;
  }
  saturate(b, drive, 0.95f);
  master_loudness(b, lufs, true, 0.98f);
  return b;
}
