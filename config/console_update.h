// Typing into the console through key_state.
#pragma once

struct config_table;
struct console;
struct key_state;

// Takes this tick's key presses for the console: up to four characters in
// slot order, or a backspace, space or return, each consumed (set to
// key_held). Return prints the line, runs it and clears it. Called once per
// tick while the console is open, before anything else reads the keys.
void console_update(console& con, config_table& table, key_state& keys);
