// The console's part of the game tick: the toggle key, then typing and commands.
#pragma once

struct config_table;
struct console;
struct key_state;
struct player;
struct video_settings;

// The grave accent or the tilde, freshly pressed, opens or closes the
// console; both slots are consumed. Closing re-applies the variables.
void console_toggle(console& con, key_state& keys, config_table& table, video_settings& video, player& p);

// While the console is open: takes the tick's typing, then re-applies the
// variables if a line set one, or else serves a pending command.
void console_tick(console& con, key_state& keys, config_table& table, video_settings& video, player& p);
