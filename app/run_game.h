// The program's entry routine: start-up, the fixed-step main loop, shutdown.
#pragma once

#include "app/game_state.h"

// Runs the game until it is told to end. Returns the exit code: 0 when no
// window can be made, otherwise the code of the quit message (0 when none
// came), or 1 when a map or demo given on the command line cannot be played
// or a demo cannot be recorded.
int run_game(const game_options& options);

// Loads the map at `path` and starts the level: keys bound, the player on
// its start, the level's music. A map that cannot be loaded leaves the game
// in the menus (the loader has logged why) and gives false. Called for
// --map and when the menus start a level.
bool enter_level(game_state& gs, const char* path);

// One pass of the running level: the cursor follows the console and the
// focus, then the tick with its input polled live or taken from a demo;
// when the player has been dead for six seconds or the level is completed,
// the level is left for the menus. Called by the main loop once per due
// tick while no menu is active.
void game_pass(game_state& gs);
