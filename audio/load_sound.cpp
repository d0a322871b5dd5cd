// Decoding an Ogg Opus file into one OpenAL buffer.
#include "audio/load_sound.h"

#include <AL/al.h>
#include <opus/opusfile.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <new>

#include "audio/audio_device.h"

namespace {

constexpr int sample_rate = 48000;
constexpr int error_cannot_open = -129;
// Samples per channel decoded between two looks at the cancel flag.
constexpr int64_t cancel_check_frames = 48000;

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

void append_line(std::string& log, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof line, format, args);
  va_end(args);
  log += line;
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

bool sound_decode_open(sound_decode& decode, const char* path) {
  decode = sound_decode{};
  decode.path = path;
  printf("opening file %s...\n", path);
  decode.file = open_opus(path);
  if (!decode.file) return false;
  int file_channels = op_channel_count(decode.file, -1);
  int64_t total = op_pcm_total(decode.file, -1);
  printf("%s: %d channels, %d samples (%d seconds)\n", path, file_channels, static_cast<int>(total),
         static_cast<int>(total / sample_rate));
  decode.channels = file_channels == 1 ? 1 : 2;
  // The upload size is an int of bytes; a longer stream is refused whole.
  int64_t frames = total > 0 ? total : 0;
  if (frames > INT_MAX / (2 * decode.channels)) {
    printf("%s: too long to hold in one buffer\n", path);
    frames = 0;
  }
  if (frames > 0) {
    try {
      decode.samples.resize(static_cast<size_t>(frames * decode.channels));
    } catch (const std::bad_alloc&) {
      printf("%s: no memory for the samples\n", path);
      frames = 0;
    }
  }
  decode.frames = frames;
  return true;
}

// Reads up to `frames` samples per channel, channels being 1 or 2 (several
// channels are mixed down to stereo). Stops at the end of the stream, at a
// decode error, or when a chained link changes a mono stream's channel
// count.
void sound_decode_run(sound_decode& decode, const std::atomic<bool>* cancel) {
  OggOpusFile* file = decode.file;
  const char* path = decode.path.c_str();
  int channels = decode.channels;
  int16_t* samples = decode.samples.data();
  int64_t read = 0;
  int64_t next_check = cancel_check_frames;
  while (file && read < decode.frames) {
    if (cancel && read >= next_check) {
      if (cancel->load()) break;
      next_check = read + cancel_check_frames;
    }
    int room = static_cast<int>((decode.frames - read) * channels);
    int link = 0;
    int got = channels == 1 ? op_read(file, samples + read, room, &link)
                            : op_read_stereo(file, samples + read * 2, room);
    if (got < 0)
      append_line(decode.log, "%s: decode error %d after %lld samples\n", path, got,
                  static_cast<long long>(read));
    if (got <= 0) break;
    if (channels == 1 && op_channel_count(file, link) != 1) {
      append_line(decode.log, "%s: channel count changes at sample %lld\n", path,
                  static_cast<long long>(read));
      break;
    }
    read += got;
  }
  if (file) op_free(file);
  decode.file = nullptr;
  decode.read = read;
}

uint32_t sound_decode_upload(sound_decode& decode) {
  if (!decode.log.empty()) fputs(decode.log.c_str(), stdout);
  uint32_t buffer = upload(decode.path.c_str(), decode.samples.data(), decode.read, decode.channels);
  decode.samples = std::vector<int16_t>();
  return buffer;
}

uint32_t load_sound(const char* path) {
  sound_decode decode;
  if (!sound_decode_open(decode, path)) return 0;
  sound_decode_run(decode, nullptr);
  return sound_decode_upload(decode);
}
