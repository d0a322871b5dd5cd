// Decoding an Ogg Opus file into one OpenAL buffer.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct OggOpusFile;

// Decodes the whole file at `path` to 16-bit samples at 48000 Hz and uploads
// them into a new buffer: mono for a one-channel file, stereo otherwise.
// Logs the file's channels, samples and whole seconds. Returns the buffer, or
// 0 when the file cannot be opened or decoded, or when there is no device.
// Used for the fixed sounds and for each level's music.
uint32_t load_sound(const char* path);

// The same work in three steps, so that the decoding in the middle can run
// on another thread: it touches nothing but this record.
struct sound_decode {
  std::string path;
  OggOpusFile* file = nullptr;   // open between the first two steps
  int channels = 1;              // 1 or 2, as uploaded
  int64_t frames = 0;            // samples per channel room was made for
  int64_t read = 0;              // samples per channel decoded
  std::vector<int16_t> samples;  // frames x channels
  std::string log;               // lines the decoding step has to say
};

// Opens the file and logs its header lines, making room for its samples.
// False (logged) when the file cannot be opened as Ogg Opus.
bool sound_decode_open(sound_decode& decode, const char* path);

// Decodes the samples and closes the file. Writes nothing to the log itself:
// what it has to say goes to `decode.log`. Stops early, with what it has,
// when `cancel` becomes true.
void sound_decode_run(sound_decode& decode, const std::atomic<bool>* cancel);

// Prints the decoding's lines and uploads the samples into a new buffer;
// 0 when there is nothing to upload or no device.
uint32_t sound_decode_upload(sound_decode& decode);
