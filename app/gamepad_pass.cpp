// The gamepad in the main loop.
#include "app/gamepad_pass.h"

#include <cstdio>

#include "app/game_state.h"
#include "base/flags.h"
#include "platform/directory.h"
#include "platform/gamepad.h"
#include "player/gamepad_input.h"

void gamepad_start() {
  char folder[4096];
  char mappings[4200] = "";
  if (platform_user_data_directory(folder, sizeof folder))
    snprintf(mappings, sizeof mappings, "%s/gamecontrollerdb.txt", folder);
  platform_gamepad_init(mappings);
}

void gamepad_pass(game_state& gs) {
  gamepad_state pad;
  platform_gamepad_read(&pad);
  // SDL stops updating a pad while another window has the focus; its last
  // buttons must not stay held meanwhile.
  if (!window_focus_flag) pad = gamepad_state{};
  gamepad_mode mode = gamepad_game;
  if (gs.menu.active)
    mode = gamepad_menus;
  else if (gs.the_console.console_open)
    mode = gamepad_console;
  uint8_t held[256];
  gamepad_map(gs.pad, pad, mode, gs.the_player, gs.config, gs.video.tick_step, gs.mouse, held);
  platform_gamepad_hold_keys(held);
}

void gamepad_stop() { platform_gamepad_quit(); }
