// Loading the music source and the sounds that live for the whole run.
#pragma once

#include "audio/sound_table.h"

// Makes the music source, then loads, in this order, the menu music, human
// pain, armor pain, gun 1, gun 2 and gun lazer from data/sound. A file that
// is missing leaves 0 in its field. Called once at start-up.
void load_fixed_sounds(sound_table& table);
