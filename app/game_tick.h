// One tick of the running level.
#pragma once

struct game_state;

// Input, console, entities, player, the frame and its sounds, in that order.
// Called by the main loop's game pass once per due tick.
void game_tick(game_state& gs);
