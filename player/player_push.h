// One move key's push on the player's acceleration.
#pragma once
#include <cstdint>

struct player;

// While `key` (a slot value) reads pressed or held, adds 28 (14 while
// jumping) along heading `heading` (radians; sin to z, cos to x) to the
// tick's acceleration, doubled on an axis where the acceleration gathered so
// far opposes the current velocity. Called by player_input per move key.
void player_push(player& p, int32_t key, double heading);
