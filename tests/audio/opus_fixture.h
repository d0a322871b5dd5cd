// Making real Ogg Opus files for the sound tests, and editing their pages.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A sine tone of `frames` samples per channel, interleaved; channel c has
// frequency `hz` x (c + 1) and amplitude `amplitude`.
std::vector<int16_t> tone(int frames, int channels, double hz, double amplitude = 12000.0);

// Encodes interleaved 48 kHz samples with libopusenc. Returns success.
bool write_opus_libopusenc(const std::string& path, const std::vector<int16_t>& samples, int channels);

// Writes a 16-bit PCM WAV file at `rate` Hz.
bool write_wav(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate);

// Encodes a WAV file with Debian's opusenc command. Returns success.
bool run_opusenc(const std::string& wav_path, const std::string& opus_path);

// A fresh temporary directory for one test's files.
std::string temp_dir();

// The whole file, or an empty vector.
std::vector<uint8_t> read_bytes(const std::string& path);
bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Offsets of the "OggS" pages of a file held in memory.
std::vector<size_t> ogg_pages(const std::vector<uint8_t>& bytes);

// Recomputes the checksum of the page at `offset` after an edit.
void ogg_fix_checksum(std::vector<uint8_t>& bytes, size_t offset);

// The granule position of the page at `offset`, and setting it (checksum
// fixed).
int64_t ogg_granule(const std::vector<uint8_t>& bytes, size_t offset);
void ogg_set_granule(std::vector<uint8_t>& bytes, size_t offset, int64_t granule);
