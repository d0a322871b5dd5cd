// Opening and closing the OpenAL device and context.
#include "audio/audio_device.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdio>

#include "audio/background_sound.h"
#include "audio/sound_source.h"

namespace {

// Every entity of type 200 or more holds a source for the whole level, so a
// large level needs more than the mixer's usual 256. Only playing sources
// cost mixing time.
constexpr ALCint mono_sources_wanted = 2048;

}  // namespace

sound_table init_audio() {
  sound_table table{};
  ALCdevice* device = alcOpenDevice(nullptr);
  if (!device) return table;  // no output: the game runs silent
  const ALCint attributes[] = {ALC_MONO_SOURCES, mono_sources_wanted, 0};
  ALCcontext* context = alcCreateContext(device, attributes);
  if (!context) context = alcCreateContext(device, nullptr);
  if (!context || !alcMakeContextCurrent(context)) {
    // A device without a usable context is no device at all; say so, since
    // nothing else would show why the game is silent.
    printf("init_audio: no OpenAL context (error 0x%x)\n", alcGetError(device));
    if (context) alcDestroyContext(context);
    alcCloseDevice(device);
    return table;
  }
  alcProcessContext(context);
  alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
  alListenerf(AL_GAIN, 1.0f);
  table.device = device;
  table.context = context;
  return table;
}

bool audio_active() { return alcGetCurrentContext() != nullptr; }

void close_audio(sound_table& table, uint32_t& music_buffer) {
  // A menu music still decoding is given up: nothing will play it now.
  background_sound_cancel(table.menu_music_decode);
  table.menu_music_decode = nullptr;
  // Sources first: a buffer still attached to a source cannot be deleted.
  delete_sound_source(table.music_source);
  delete_sound_buffer(music_buffer);
  delete_sound_buffer(table.menu_music);
  delete_sound_buffer(table.human_pain);
  delete_sound_buffer(table.armor_pain);
  delete_sound_buffer(table.gun1);
  delete_sound_buffer(table.gun2);
  delete_sound_buffer(table.gun_lazer);
  ALCcontext* context = static_cast<ALCcontext*>(table.context);
  ALCdevice* device = static_cast<ALCdevice*>(table.device);
  if (context) {
    if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
  if (device) alcCloseDevice(device);
  table.context = nullptr;
  table.device = nullptr;
}
