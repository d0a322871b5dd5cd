// Loading the music source and the sounds that live for the whole run.
#pragma once

#include "audio/sound_table.h"

// Makes the music source, then loads, in this order, the menu music, human
// pain, armor pain, gun 1, gun 2 and gun lazer from data/sound. A file that
// is missing leaves 0 in its field. The menu music goes on decoding beside
// the game after this returns (its lines are logged here, in order): its
// field stays 0 until menu_music_ready. Called once at start-up.
void load_fixed_sounds(sound_table& table);

// The menu music's buffer, waiting for its decoding the first time when it
// is still going on. Everything that plays the menu music asks for it here.
uint32_t menu_music_ready(sound_table& table);
