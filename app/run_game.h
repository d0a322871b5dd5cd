// The program's entry routine: start-up, the fixed-step main loop, shutdown.
#pragma once

#include "app/game_state.h"

// Runs the game until it is told to end. Returns the exit code: 0 when no
// window can be made, otherwise the code of the quit message (0 when none
// came), or 1 when a map or demo given on the command line cannot be played
// or a demo cannot be recorded.
int run_game(const game_options& options);
