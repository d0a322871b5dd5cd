// Hearing what OpenAL mixed: its wave backend writes the output to a file.
#include "tests/audio/wave_capture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/audio/opus_fixture.h"

void use_wave_backend(const std::string& wav_path) {
  std::string conf = wav_path + ".conf";
  FILE* f = fopen(conf.c_str(), "w");
  if (!f) return;
  fprintf(
      f,
      "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 48000\nhrtf = false\ndither = false\n");
  fprintf(f, "[wave]\nfile = %s\n", wav_path.c_str());
  fclose(f);
  setenv("ALSOFT_DRIVERS", "wave", 1);
  setenv("ALSOFT_CONF", conf.c_str(), 1);
}

void use_no_backend() { setenv("ALSOFT_DRIVERS", "no_such_backend", 1); }

bool read_channel_energy(const std::string& wav_path, channel_energy* energy) {
  std::vector<uint8_t> d = read_bytes(wav_path);
  if (d.size() < 12 || memcmp(d.data(), "RIFF", 4) != 0) return false;
  size_t at = 12;
  while (at + 8 <= d.size()) {
    uint32_t size = d[at + 4] | d[at + 5] << 8 | d[at + 6] << 16 | static_cast<uint32_t>(d[at + 7]) << 24;
    if (memcmp(&d[at], "data", 4) == 0) {
      size_t end = at + 8 + size;
      if (end > d.size()) end = d.size();
      energy->left = energy->right = 0.0;
      for (size_t i = at + 8; i + 4 <= end; i += 4) {
        double l = static_cast<int16_t>(d[i] | d[i + 1] << 8);
        double r = static_cast<int16_t>(d[i + 2] | d[i + 3] << 8);
        energy->left += l * l;
        energy->right += r * r;
      }
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}
