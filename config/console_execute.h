// Running one typed console line: read or set a variable, or queue a command.
#pragma once

struct config_table;
struct console;

// Splits input_line into a name and a parameter of at most 5 characters.
// A variable's name alone prints its value; with a plain unsigned number it
// sets the variable (and raises config_changed); with anything else it
// prints "Invalid parameters". A name that is no variable makes the whole
// line the pending command. Called by console_update on return.
void console_execute_line(console& con, config_table& table);
