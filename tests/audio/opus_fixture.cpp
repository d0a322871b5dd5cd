// Making real Ogg Opus files for the sound tests, and editing their pages.
#include "tests/audio/opus_fixture.h"

#include <opus/opusenc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::vector<int16_t> tone(int frames, int channels, double hz, double amplitude) {
  std::vector<int16_t> samples(static_cast<size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      samples[static_cast<size_t>(i) * channels + c] =
          static_cast<int16_t>(amplitude * sin(2.0 * M_PI * hz * (c + 1) * i / 48000.0));
  return samples;
}

bool write_opus_libopusenc(const std::string& path, const std::vector<int16_t>& samples, int channels) {
  OggOpusComments* comments = ope_comments_create();
  int error = 0;
  OggOpusEnc* enc =
      ope_encoder_create_file(path.c_str(), comments, 48000, channels, channels > 2 ? 1 : 0, &error);
  bool ok = enc != nullptr;
  int frames = static_cast<int>(samples.size() / channels);
  if (ok && frames > 0) ok = ope_encoder_write(enc, samples.data(), frames) == OPE_OK;
  if (ok) ok = ope_encoder_drain(enc) == OPE_OK;
  if (enc) ope_encoder_destroy(enc);
  ope_comments_destroy(comments);
  return ok;
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

}  // namespace

bool write_wav(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate) {
  std::vector<uint8_t> out;
  uint32_t data_size = static_cast<uint32_t>(samples.size() * 2);
  for (char c : std::string("RIFF")) out.push_back(c);
  put32(out, 36 + data_size);
  for (char c : std::string("WAVEfmt ")) out.push_back(c);
  put32(out, 16);
  put16(out, 1);
  put16(out, channels);
  put32(out, rate);
  put32(out, rate * channels * 2);
  put16(out, channels * 2);
  put16(out, 16);
  for (char c : std::string("data")) out.push_back(c);
  put32(out, data_size);
  for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
  return write_bytes(path, out);
}

bool run_opusenc(const std::string& wav_path, const std::string& opus_path) {
  std::string command = "opusenc --quiet '" + wav_path + "' '" + opus_path + "'";
  return system(command.c_str()) == 0;
}

std::string temp_dir() {
  char pattern[] = "/tmp/tarvo_audio_XXXXXX";
  const char* dir = mkdtemp(pattern);
  return dir ? std::string(dir) : std::string("/tmp");
}

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  fclose(f);
  return bytes;
}

bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

std::vector<size_t> ogg_pages(const std::vector<uint8_t>& bytes) {
  std::vector<size_t> pages;
  size_t at = 0;
  while (at + 27 <= bytes.size() && memcmp(&bytes[at], "OggS", 4) == 0) {
    pages.push_back(at);
    size_t segments = bytes[at + 26];
    if (at + 27 + segments > bytes.size()) break;
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += bytes[at + 27 + i];
    at += 27 + segments + body;
  }
  return pages;
}

void ogg_fix_checksum(std::vector<uint8_t>& bytes, size_t offset) {
  size_t segments = bytes[offset + 26];
  size_t length = 27 + segments;
  for (size_t i = 0; i < segments; ++i) length += bytes[offset + 27 + i];
  memset(&bytes[offset + 22], 0, 4);
  uint32_t crc = 0;
  for (size_t i = 0; i < length; ++i) {
    crc ^= static_cast<uint32_t>(bytes[offset + i]) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
  }
  for (int i = 0; i < 4; ++i) bytes[offset + 22 + i] = (crc >> (8 * i)) & 0xff;
}

int64_t ogg_granule(const std::vector<uint8_t>& bytes, size_t offset) {
  uint64_t g = 0;
  for (int i = 7; i >= 0; --i) g = (g << 8) | bytes[offset + 6 + i];
  return static_cast<int64_t>(g);
}

void ogg_set_granule(std::vector<uint8_t>& bytes, size_t offset, int64_t granule) {
  for (int i = 0; i < 8; ++i) bytes[offset + 6 + i] = (static_cast<uint64_t>(granule) >> (8 * i)) & 0xff;
  ogg_fix_checksum(bytes, offset);
}
