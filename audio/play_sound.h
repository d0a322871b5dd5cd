// Starting a buffer on a source, once or looping, and the effects' pitch.
#pragma once
#include <cstdint>

// Stops `source`, attaches `buffer`, sets pitch, gain and position (the
// listener sits at the origin) and plays the buffer once from its start.
// A source of 0 (an entity made after the level load) plays nothing.
void play_sound(uint32_t source, uint32_t buffer, float pitch, float gain, double x, double y, double z);

// As play_sound, but the buffer loops until the source is stopped. Used for
// the music.
void play_looping(uint32_t source, uint32_t buffer, float pitch, float gain, double x, double y, double z);

// A pitch between 0.75 and 1.0 from one draw of rand(), so repeated effects
// do not sound the same. Each played effect draws one.
float random_pitch();
