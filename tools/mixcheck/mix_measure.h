// Measuring a recorded part of the mix.
#pragma once

// What one recording holds.
struct mix_measure_result {
  double integrated;     // integrated loudness, LUFS (gated; -70 or below when silent)
  double momentary_max;  // loudest 400 ms, LUFS
  double low_share;      // share of the energy below 80 Hz, 0 to 1
  double seconds;        // length of the recording
};

// Reads a 16-bit stereo WAV file at 48 kHz and measures it. False (with a
// line on standard error) when the file cannot be read as one.
bool mix_measure(const char* wav_path, mix_measure_result* out);
