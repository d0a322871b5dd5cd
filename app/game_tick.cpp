// One tick of the running level.
#include "app/game_tick.h"

#include "app/game_state.h"
#include "audio/game_sounds.h"

void game_tick(game_state& gs) {
  // After the frame: the player's shot, then the entities' pain and shots.
  player_sounds(gs.the_player, gs.sounds);
  entity_sounds(gs.entity_list, gs.sounds, gs.the_player);
}
