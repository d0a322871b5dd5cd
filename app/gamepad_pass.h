// The gamepad in the main loop: started with the game, read and mapped once
// per due tick, stopped at shutdown.
#pragma once

struct game_state;

// Starts the pad support with SDL's mapping database and the player's own
// "gamecontrollerdb.txt" in the user's data folder, when there is one.
// Called by run_game after platform_init.
void gamepad_start();

// Reads the pad (a pad plugged in or pulled out is noticed here) and maps
// it onto the keys and mouse_state for this tick: menus, a level, or the
// console open. A window without the focus gets nothing from the pad.
// Called by the main loop right after the window messages are drained.
void gamepad_pass(game_state& gs);

// Closes the pad. Called by run_game before platform_quit.
void gamepad_stop();
