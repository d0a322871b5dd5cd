// The console's part of the game tick: the toggle key, then typing and commands.
#include "config/console_tick.h"

#include "config/config_table.h"
#include "config/console.h"
#include "config/console_update.h"
#include "config/key_state.h"
#include "config/run_command.h"

namespace {

constexpr int grave_slot = '`' - 33;
constexpr int tilde_slot = '~' - 33;

}  // namespace

bool console_toggle(console& con, key_state& keys) {
  if (keys.slots[grave_slot] != key_pressed && keys.slots[tilde_slot] != key_pressed) return false;
  keys.slots[grave_slot] = key_held;
  keys.slots[tilde_slot] = key_held;
  con.console_open = con.console_open ? 0 : 1;
  return !con.console_open;
}

bool console_tick(console& con, key_state& keys, config_table& table) {
  if (!con.console_open) return false;
  console_update(con, table, keys);
  if (table.config_changed) {
    table.config_changed = 0;
    return true;
  }
  if (con.command_pending) run_command(con);
  return false;
}
