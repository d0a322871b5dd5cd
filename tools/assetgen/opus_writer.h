// Encoding 48 kHz sample buffers to Ogg Opus files with libopusenc.
#pragma once

#include <vector>

// Interleaved float samples at 48000 Hz, nominally within -1 to 1.
struct sample_buffer {
  int channels = 1;
  std::vector<float> samples;
};

// Number of sample frames (samples per channel) in the buffer.
int frame_count(const sample_buffer& buf);

// Encodes buf at the given bit rate (bits per second) and writes it to path with a fixed stream
// serial number, so the bytes never vary. Returns false, with a printed reason, on failure.
bool write_opus(const sample_buffer& buf, const char* path, int bitrate, int serial);
