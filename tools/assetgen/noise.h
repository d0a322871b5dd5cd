// Tileable value noise for textures, skies and screens.
#pragma once

#include <cstdint>

// Smooth noise in [0, 1] at (x, y) on a lattice that repeats every period_x by period_y cells.
float value_noise(float x, float y, int period_x, int period_y, uint32_t seed);

// Sum of octaves of value_noise, each twice the frequency and half the weight of the last,
// normalised to [0, 1]. One unit of (x, y) spans the first octave's whole period, so the result
// tiles when x and y wrap at 1.
float fbm(float x, float y, int base_period, int octaves, uint32_t seed);
