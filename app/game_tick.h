// One tick of the running level.
#pragma once

struct game_state;

// Input, console, entities, player, the frame and its sounds, in that order.
void game_tick(game_state& gs);

// The same tick after its input: key_state and mouse_state already hold
// what the tick sees, polled live or put back from a demo. Called by the
// main loop's game pass once per due tick.
void game_tick_after_input(game_state& gs);

// The tick's logic alone, without the frame and the sounds: the console,
// the debug flags, the entities and the player. Called by
// game_tick_after_input, and by the console fuzzer, which has no window.
void game_tick_logic(game_state& gs);
