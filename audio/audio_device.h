// Opening and closing the OpenAL device and context.
#pragma once
#include <cstdint>

#include "audio/sound_table.h"

// Opens the default output device, makes a context on it current and
// processing, and puts the listener at the origin with gain 1.0. Without a
// device the table's device and context are null and every later sound call
// does nothing. Called once at start-up.
sound_table init_audio();

// Whether an OpenAL context is current, that is whether sound calls reach a
// device. Every routine of the sound system asks this before calling OpenAL.
bool audio_active();

// Releases the music source, `music_buffer` (set to 0) and the fixed
// buffers, then the context and the device. Sources that other records hold
// (the player's, the entities') must be deleted before. Called at exit.
void close_audio(sound_table& table, uint32_t& music_buffer);
