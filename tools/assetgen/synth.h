// Sound synthesis building blocks at 48 kHz: oscillators, envelopes, filters and a looping mix bus.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/rng.h"

// Sample rate of every generated sound.
constexpr int sample_rate = 48000;

// Oscillator shapes.
enum class wave { sine, triangle, saw, square, pulse25, noise };

// Value of a wave at phase (in cycles; only the fraction counts), -1 to 1. Noise draws from r.
float oscillator(wave w, double phase, rng& r);

// Attack-decay-sustain-release level at time t of a note held for hold seconds.
float adsr(double t, double hold, double attack, double decay, float sustain, double release);

// A state-variable filter, one per voice.
struct svf {
  float low = 0, band = 0;
};

// Runs the filter one sample with cutoff (Hz) and resonance q (0.5 soft to 10 sharp);
// returns the low-pass output and leaves the band-pass in f.band.
float svf_step(svf& f, float in, float cutoff, float q);

// Frequency in Hz of a MIDI note number (69 = A 440).
double midi_hz(double note);

// A stereo mix bus whose end wraps to its start, so anything written past the end lands at the
// beginning and the buffer loops seamlessly.
struct loop_bus {
  std::vector<float> left, right;
};

// Makes a silent bus of the given number of frames.
loop_bus bus_make(int frames);
// Adds one sample at frame index (wrapped) with a pan from -1 (left) to 1 (right).
void bus_add(loop_bus& bus, long frame, float value, float pan);
// Adds a feedback echo (delay in frames, feedback and wet levels) that wraps around the loop.
void bus_echo(loop_bus& bus, int delay, float feedback, float wet);
// Takes what lies below `hz` off the bus (two one-pole high-pass stages, run round the loop so
// its seam stays smooth).
void bus_highpass(loop_bus& bus, float hz);
// Scales the bus so its peak is at peak, then softly limits it.
void bus_normalize(loop_bus& bus, float peak);
