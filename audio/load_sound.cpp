// Decoding an Ogg Opus file into one OpenAL buffer.
#include "audio/load_sound.h"

#include <AL/al.h>
#include <opus/opusfile.h>

#include <climits>
#include <cstdio>
#include <new>

#include "audio/audio_device.h"

namespace {

constexpr int sample_rate = 48000;
constexpr int error_cannot_open = -129;

// Opens `path` as an Ogg Opus stream; on failure prints the error line and
// returns null.
OggOpusFile* open_opus(const char* path) {
  OpusFileCallbacks callbacks;
  void* stream = op_fopen(&callbacks, path, "rb");
  int error = error_cannot_open;
  OggOpusFile* file = nullptr;
  if (stream) {
    file = op_open_callbacks(stream, &callbacks, nullptr, 0, &error);
    if (!file) callbacks.close(stream);  // a failed open leaves the stream to us
  }
  if (!file) printf("Error %d occured when trying to open the file %s", error, path);
  return file;
}

// Decodes up to `frames` samples per channel into `samples`, which holds
// frames x channels values, channels being 1 or 2 (several channels are
// mixed down to stereo). Stops at the end of the stream, at a decode error,
// or when a chained link changes a mono stream's channel count. Returns the
// samples per channel read.
int64_t decode(OggOpusFile* file, const char* path, int16_t* samples, int64_t frames, int channels) {
  int64_t read = 0;
  while (read < frames) {
    int room = static_cast<int>((frames - read) * channels);
    int link = 0;
    int got = channels == 1 ? op_read(file, samples + read, room, &link)
                            : op_read_stereo(file, samples + read * 2, room);
    if (got < 0) printf("%s: decode error %d after %lld samples\n", path, got, static_cast<long long>(read));
    if (got <= 0) break;
    if (channels == 1 && op_channel_count(file, link) != 1) {
      printf("%s: channel count changes at sample %lld\n", path, static_cast<long long>(read));
      break;
    }
    read += got;
  }
  return read;
}

// A new buffer holding `frames` samples per channel, or 0.
uint32_t upload(const char* path, const int16_t* samples, int64_t frames, int channels) {
  if (frames <= 0) {
    printf("%s: no samples decoded\n", path);
    return 0;
  }
  if (!audio_active()) return 0;
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  ALenum format = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
  if (alGetError() == AL_NO_ERROR)
    alBufferData(buffer, format, samples, static_cast<ALsizei>(frames * channels * 2), sample_rate);
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    printf("%s: cannot upload the samples (OpenAL error 0x%x)\n", path, error);
    if (buffer != 0) alDeleteBuffers(1, &buffer);
    return 0;
  }
  return buffer;
}

}  // namespace

uint32_t load_sound(const char* path) {
  printf("opening file %s...\n", path);
  OggOpusFile* file = open_opus(path);
  if (!file) return 0;
  int file_channels = op_channel_count(file, -1);
  int64_t total = op_pcm_total(file, -1);
  printf("%s: %d channels, %d samples (%d seconds)\n", path, file_channels, static_cast<int>(total),
         static_cast<int>(total / sample_rate));
  int channels = file_channels == 1 ? 1 : 2;
  // The upload size is an int of bytes; a longer stream is refused whole.
  int64_t frames = total > 0 ? total : 0;
  if (frames > INT_MAX / (2 * channels)) {
    printf("%s: too long to hold in one buffer\n", path);
    frames = 0;
  }
  int16_t* samples = frames > 0 ? new (std::nothrow) int16_t[frames * channels] : nullptr;
  if (frames > 0 && !samples) printf("%s: no memory for the samples\n", path);
  int64_t read = samples ? decode(file, path, samples, frames, channels) : 0;
  op_free(file);
  uint32_t buffer = upload(path, samples, read, channels);
  delete[] samples;
  return buffer;
}
