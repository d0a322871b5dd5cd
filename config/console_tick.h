// The console's part of the game tick: the toggle key, then typing and commands.
#pragma once

struct config_table;
struct console;
struct key_state;

// The grave accent or the tilde, freshly pressed, opens or closes the
// console; both slots are consumed. True when it closed: the caller applies
// the variables again (bind_keys).
bool console_toggle(console& con, key_state& keys);

// While the console is open: takes the tick's typing; true when a line set
// a variable (the caller applies the variables again), or else serves a
// pending command.
bool console_tick(console& con, key_state& keys, config_table& table);
