// Starting a buffer on a source, once or looping, and the effects' pitch.
#include "audio/play_sound.h"

#include <AL/al.h>

#include <cstdlib>

#include "audio/audio_device.h"

namespace {

void start(uint32_t source, uint32_t buffer, float pitch, float gain, double x, double y, double z,
           bool looping) {
  if (source == 0 || !audio_active()) return;
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
  alSourcef(source, AL_PITCH, pitch);
  alSourcef(source, AL_GAIN, gain);
  alSource3f(source, AL_POSITION, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
  alSourcePlay(source);
}

}  // namespace

void play_sound(uint32_t source, uint32_t buffer, float pitch, float gain, double x, double y, double z) {
  start(source, buffer, pitch, gain, x, y, z, false);
}

void play_looping(uint32_t source, uint32_t buffer, float pitch, float gain, double x, double y, double z) {
  start(source, buffer, pitch, gain, x, y, z, true);
}

float random_pitch() {
  // The draw is kept to 0..32767 whatever the C library's RAND_MAX.
  int r = rand() % 32768;
  return static_cast<float>(static_cast<float>(r) / 32767.0 * 0.25 + 0.75);
}
