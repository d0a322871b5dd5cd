// One tick of the running level.
#include "app/game_tick.h"

#include "app/game_state.h"
#include "config/console_tick.h"
#include "config/debug_flags.h"
#include "config/key_state.h"
#include "config/keyboard_poll.h"
#include "config/mouse_state.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "game/game_sounds.h"
#include "player/bind_keys.h"
#include "player/player_update.h"
#include "render/render_frame.h"

frame_scene frame_scene_of(game_state& gs) {
  return frame_scene{gs.bsp_root, gs.ai_node_list, gs.entity_list, gs.the_player, gs.textures,
                     gs.config,   gs.video,        gs.the_console, gs.renderer};
}

void game_tick(game_state& gs) {
  poll_keyboard(*gs.keys);
  game_tick_after_input(gs);
}

void game_tick_after_input(game_state& gs) {
  game_tick_logic(gs);
  render_frame(frame_scene_of(gs));

  // After the frame: the player's shot, then the entities' pain and shots.
  player_sounds(gs.the_player, gs.sounds);
  entity_sounds(gs.entity_list, gs.sounds, gs.the_player);
}

void game_tick_logic(game_state& gs) {
  // The console takes its keys before anything else reads them.
  if (console_toggle(gs.the_console, *gs.keys)) bind_keys(gs.config, gs.video, gs.the_player);
  if (console_tick(gs.the_console, *gs.keys, gs.config)) bind_keys(gs.config, gs.video, gs.the_player);
  gs.the_player.debug_draw_flags = debug_draw_flags_from(gs.config);

  // Every entity's tick from the tail back to the head, then teleports
  // carried out and finished entities freed.
  entities_update(gs.entity_list, gs.the_player, gs.bsp_root, gs.ai_node_list, gs.entity_list,
                  gs.video.tick_step);
  entities_prune(gs.entity_list);

  // While the console is open its keys are text, not the player's controls:
  // the player sees nothing pressed until it closes.
  static const key_state no_keys{};
  static const mouse_state no_mouse{};
  const bool typing = gs.the_console.console_open != 0;
  player_update(gs.the_player, typing ? no_keys : *gs.keys, gs.bsp_root, gs.entity_list, gs.video.tick_step,
                typing ? no_mouse : gs.mouse);
}
