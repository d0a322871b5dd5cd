// Lattice value noise with smoothstep blending and wrap-around lattice coordinates.
#include "tools/assetgen/noise.h"

#include <cmath>

#include "tools/assetgen/rng.h"

namespace {

float lattice(int x, int y, int px, int py, uint32_t seed) {
  x = ((x % px) + px) % px;
  y = ((y % py) + py) % py;
  return (hash3(x, y, seed) & 0xFFFFFF) / 16777215.0f;
}

}  // namespace

float value_noise(float x, float y, int period_x, int period_y, uint32_t seed) {
  int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
  float fx = x - x0, fy = y - y0;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float a = lattice(x0, y0, period_x, period_y, seed), b = lattice(x0 + 1, y0, period_x, period_y, seed);
  float c = lattice(x0, y0 + 1, period_x, period_y, seed),
        d = lattice(x0 + 1, y0 + 1, period_x, period_y, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float fbm(float x, float y, int base_period, int octaves, uint32_t seed) {
  float sum = 0, weight = 1, total = 0;
  int period = base_period;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * value_noise(x * period, y * period, period, period, seed + o * 101);
    total += weight;
    weight *= 0.5f;
    period *= 2;
  }
  return sum / total;
}
