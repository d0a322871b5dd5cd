// Hearing what OpenAL mixed: its wave backend writes the output to a file.
#pragma once
#include <string>

// Points OpenAL Soft at its wave backend, writing 16-bit stereo at 48 kHz to
// `wav_path`. Must run before the process's first OpenAL call.
void use_wave_backend(const std::string& wav_path);

// Points OpenAL Soft at a backend that does not exist, so no device opens.
// Must run before the process's first OpenAL call.
void use_no_backend();

// The summed squares of the left and right channels of a 16-bit stereo WAV
// file; false when it cannot be read.
struct channel_energy {
  double left;
  double right;
};
bool read_channel_energy(const std::string& wav_path, channel_energy* energy);
