// Oscillators, envelopes, the filter and the looping bus.
#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>

float oscillator(wave w, double phase, rng& r) {
  double p = phase - std::floor(phase);
  switch (w) {
    case wave::sine:
      return (float)std::sin(2.0 * M_PI * p);
    case wave::triangle:
      return (float)(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
    case wave::saw:
      return (float)(2.0 * p - 1.0);
    case wave::square:
      return p < 0.5 ? 1.0f : -1.0f;
    case wave::pulse25:
      return p < 0.25 ? 1.0f : -1.0f;
    case wave::noise:
      return (float)(rng_unit(r) * 2.0 - 1.0);
  }
  return 0.0f;
}

float adsr(double t, double hold, double attack, double decay, float sustain, double release) {
  if (t < 0) return 0.0f;
  float level;
  if (t < attack)
    level = (float)(t / attack);
  else if (t < attack + decay)
    level = 1.0f - (1.0f - sustain) * (float)((t - attack) / decay);
  else
    level = sustain;
  if (t > hold) {
    double held_level =
        hold < attack ? hold / attack
                      : (hold < attack + decay ? 1.0 - (1.0 - sustain) * (hold - attack) / decay : sustain);
    double k = (t - hold) / release;
    level = k >= 1.0 ? 0.0f : (float)(held_level * (1.0 - k) * (1.0 - k));
  }
  return level;
}

float svf_step(svf& f, float in, float cutoff, float q) {
  float fc = 2.0f * (float)std::sin(M_PI * std::min(cutoff, sample_rate * 0.2f) / sample_rate);
  float damp = 1.0f / std::max(0.5f, q);
  float high = in - f.low - damp * f.band;
  f.band += fc * high;
  f.low += fc * f.band;
  return f.low;
}

double midi_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

loop_bus bus_make(int frames) {
  loop_bus b;
  b.left.assign(frames, 0.0f);
  b.right.assign(frames, 0.0f);
  return b;
}

void bus_add(loop_bus& bus, long frame, float value, float pan) {
  long n = (long)bus.left.size();
  if (n == 0) return;
  long i = ((frame % n) + n) % n;
  float a = (float)((pan + 1.0) * M_PI / 4.0);
  bus.left[i] += value * std::cos(a);
  bus.right[i] += value * std::sin(a);
}

void bus_echo(loop_bus& bus, int delay, float feedback, float wet) {
  long n = (long)bus.left.size();
  if (n == 0 || delay <= 0) return;
  // Two passes round the loop let the echo tail of the end reach the start.
  std::vector<float> el(n, 0.0f), er(n, 0.0f);
  for (int pass = 0; pass < 2; ++pass)
    for (long i = 0; i < n; ++i) {
      long j = (i - delay + n) % n;
      el[i] = bus.right[j] * wet + er[j] * feedback;  // ping-pong between the sides
      er[i] = bus.left[j] * wet + el[j] * feedback;
    }
  for (long i = 0; i < n; ++i) {
    bus.left[i] += el[i];
    bus.right[i] += er[i];
  }
}

namespace {

// One high-pass stage over one channel of a loop: the second time round starts from the state the
// first left at the end, so the output has no step at the seam.
void highpass_loop(std::vector<float>& x, float hz) {
  long n = (long)x.size();
  if (n < 2) return;
  float rc = 1.0f / (2.0f * (float)M_PI * hz), dt = 1.0f / sample_rate, a = rc / (rc + dt);
  std::vector<float> y(n);
  float prev_in = x[n - 1], prev_out = 0.0f;
  for (int pass = 0; pass < 2; ++pass)
    for (long i = 0; i < n; ++i) {
      prev_out = a * (prev_out + x[i] - prev_in);
      prev_in = x[i];
      y[i] = prev_out;
    }
  x.swap(y);
}

}  // namespace

void bus_highpass(loop_bus& bus, float hz) {
  for (int stage = 0; stage < 2; ++stage) {
    highpass_loop(bus.left, hz);
    highpass_loop(bus.right, hz);
  }
}

void bus_normalize(loop_bus& bus, float peak) {
  float m = 1e-6f;
  for (size_t i = 0; i < bus.left.size(); ++i)
    m = std::max(m, std::max(std::fabs(bus.left[i]), std::fabs(bus.right[i])));
  float k = peak / m;
  for (size_t i = 0; i < bus.left.size(); ++i) {
    bus.left[i] = std::tanh(bus.left[i] * k * 1.1f) / std::tanh(1.1f);
    bus.right[i] = std::tanh(bus.right[i] * k * 1.1f) / std::tanh(1.1f);
  }
}
