// Making and releasing single OpenAL sources and buffers.
#pragma once
#include <cstdint>

// A new OpenAL source, or 0 when there is no device or none can be made (the
// failure is logged). Used for the music source, the player's source
// (player_init) and each enemy's source.
uint32_t make_sound_source();

// As make_sound_source, but silent: on failure returns 0 and puts OpenAL's
// error code in `error` (0 when there is simply no device). For callers
// that make many sources and report the failures together.
uint32_t generate_sound_source(uint32_t* error);

// Stops and deletes `source` when it names one, and sets it to 0, so a second
// call does nothing. Used by the level load for the player's source and by
// the releases of entities.
void delete_sound_source(uint32_t& source);

// Deletes `buffer` when it names one, and sets it to 0. The buffer must no
// longer be attached to a source (see delete_sound_source, detach_sound_source).
void delete_sound_buffer(uint32_t& buffer);

// Stops `source` and takes its buffer off it, so that buffer can be deleted.
void detach_sound_source(uint32_t source);
