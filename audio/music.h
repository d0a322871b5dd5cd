// Switching the music between the menus and a level.
#pragma once
#include <cstdint>

#include "audio/sound_table.h"

// Starts the title's menu music on the music source, looping at the
// listener, gain 1.0. Called by the menus when the title first shows.
void start_menu_music(sound_table& table);

// Stops what the music source plays and loops `music_buffer`, the level's
// music, at the listener with gain 0.8. Called when a level has loaded.
void start_level_music(sound_table& table, uint32_t music_buffer);

// Stops the level's music, deletes `music_buffer` (set to 0) and loops the
// menu music with gain 1.2. Called when a level is left, by death or by
// completion, before the level is unloaded.
void leave_level_music(sound_table& table, uint32_t& music_buffer);
