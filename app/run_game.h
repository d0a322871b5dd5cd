// The program's entry routine: start-up, the fixed-step main loop, shutdown.
#pragma once

#include "app/game_state.h"
#include "config/keyboard_poll.h"

// Runs the game until it is told to end. Returns the exit code: 0 when no
// window can be made, otherwise the code of the quit message (0 when none
// came), or 1 when a map or demo given on the command line cannot be played
// or a demo cannot be recorded.
int run_game(const game_options& options);

// Everything before the main loop, in its fixed order: the configuration,
// the window and its GL context, the level's empty records, the sound
// device and fixed sounds, the texture catalogue, the player, the menus,
// the clock and the key bindings. Called by run_game, and by tests that
// play the game as it starts.
void start_up_game(game_state& gs);

// Releases what start_up_game made and whatever level is loaded: the
// level's records, the player's sound source, the sound device and the
// window. Called by run_game after the loop, and by those tests.
void shut_down_game(game_state& gs);

// Loads the map at `path` and starts the level: keys bound, the player on
// its start, the level's music. A map that cannot be loaded leaves the game
// in the menus (the loader has logged why) and gives false. Called for
// --map and when the menus start a level.
bool enter_level(game_state& gs, const char* path);

// One pass of the menus: a click skips the opening image, then the menus'
// own tick with `key_down` as the keyboard, then the level they chose, if
// any. A level that cannot be loaded brings the title menu back. False when
// the menus end the program. Called by the main loop while a menu is active.
bool menu_pass(game_state& gs, key_down_test key_down = platform_key_down);

// One pass of the running level: the cursor follows the console and the
// focus, then the tick with its input polled live or taken from a demo;
// when the player has been dead for six seconds or the level is completed,
// the level is left for the menus. Called by the main loop once per due
// tick while no menu is active.
void game_pass(game_state& gs);
