// The OpenAL device, context, music source and the fixed sound buffers.
#pragma once
#include <cstdint>

struct background_sound;

// Made once at start-up by init_audio and load_fixed_sounds, released at exit
// by close_audio. Source and buffer names are OpenAL names; 0 is none, and
// playing buffer 0 is silent.
struct sound_table {
  void* device;                         // the OpenAL device on the default output; null when none
  void* context;                        // the context made on it; null when there is no device
  uint32_t music_source;                // the one source for menu and level music
  uint32_t menu_music;                  // data/sound/menu.opus, 0 while it decodes (menu_music_ready)
  uint32_t human_pain;                  // data/sound/human_pain.opus
  uint32_t armor_pain;                  // data/sound/armor_pain.opus
  uint32_t gun1;                        // data/sound/gun1.opus
  uint32_t gun2;                        // data/sound/gun2.opus
  uint32_t gun_lazer;                   // data/sound/gun_lazer.opus
  int32_t error_logged;                 // an OpenAL error of the per-tick calls has been logged
  background_sound* menu_music_decode;  // the menu music still decoding, or null
};
