// Noticing OpenAL errors of the calls made every tick, logged once.
#include "audio/audio_error.h"

#include <AL/al.h>

#include <cstdio>

#include "audio/audio_device.h"

bool audio_check_errors(sound_table& table, const char* where) {
  if (!audio_active()) return false;
  ALenum error = alGetError();
  if (error == AL_NO_ERROR) return false;
  if (!table.error_logged) {
    printf("sound: OpenAL error 0x%x noticed in %s (later errors are not logged)\n", error, where);
    table.error_logged = 1;
  }
  return true;
}
