// Noticing OpenAL errors of the calls made every tick, logged once.
#pragma once

#include "audio/sound_table.h"

// Reads and clears OpenAL's error state. The first error ever seen is logged
// with `where`; later ones are only cleared, so a fault that repeats every
// tick fills no log. Returns whether there was an error.
bool audio_check_errors(sound_table& table, const char* where);
