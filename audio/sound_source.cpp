// Making and releasing single OpenAL sources and buffers.
#include "audio/sound_source.h"

#include <AL/al.h>

#include <cstdio>

#include "audio/audio_device.h"

uint32_t generate_sound_source(uint32_t* error) {
  *error = 0;
  if (!audio_active()) return 0;
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  ALenum status = alGetError();
  if (status != AL_NO_ERROR) {
    *error = static_cast<uint32_t>(status);
    return 0;
  }
  return source;
}

uint32_t make_sound_source() {
  uint32_t error = 0;
  uint32_t source = generate_sound_source(&error);
  // Usually the mixer's source limit: the owner stays silent.
  if (error != 0) printf("sound: cannot make a source (OpenAL error 0x%x)\n", error);
  return source;
}

void delete_sound_source(uint32_t& source) {
  if (source != 0 && audio_active() && alIsSource(source)) {
    alSourceStop(source);
    ALuint name = source;
    alDeleteSources(1, &name);
  }
  source = 0;
}

void delete_sound_buffer(uint32_t& buffer) {
  if (buffer != 0 && audio_active() && alIsBuffer(buffer)) {
    alGetError();
    ALuint name = buffer;
    alDeleteBuffers(1, &name);
    ALenum error = alGetError();
    if (error != AL_NO_ERROR) printf("sound: cannot delete buffer %u (OpenAL error 0x%x)\n", name, error);
  }
  buffer = 0;
}

void detach_sound_source(uint32_t source) {
  if (source == 0 || !audio_active() || !alIsSource(source)) return;
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);
}
