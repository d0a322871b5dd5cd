// Fixed-seed pseudo-random numbers for the asset generator, so every run draws the same art.
#pragma once

#include <cstdint>

// A splitmix64 stream: one 64-bit state word, advanced on every draw.
struct rng {
  uint64_t state;
};

// Makes a stream from a seed; equal seeds give equal streams.
inline rng rng_make(uint64_t seed) { return rng{seed * 0x9E3779B97F4A7C15ull + 0x1234567ull}; }

// Next raw 64-bit value of the stream.
inline uint64_t rng_next(rng& r) {
  uint64_t z = (r.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Uniform double in [0, 1).
inline double rng_unit(rng& r) { return (double)(rng_next(r) >> 11) * (1.0 / 9007199254740992.0); }

// Uniform double in [lo, hi).
inline double rng_range(rng& r, double lo, double hi) { return lo + (hi - lo) * rng_unit(r); }

// Uniform integer in [0, n) for n > 0.
inline int rng_int(rng& r, int n) { return n > 0 ? (int)(rng_next(r) % (uint64_t)n) : 0; }

// Hash of integer lattice coordinates and a seed, for noise that needs no stream.
inline uint32_t hash3(int x, int y, uint32_t seed) {
  uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
