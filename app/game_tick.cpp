// One tick of the running level.
#include "app/game_tick.h"

#include "app/game_state.h"

void game_tick(game_state& gs) {
  (void)gs;
}
