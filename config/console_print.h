// Adding a line to the console's history.
#pragma once

struct console;

// Moves every history line down by one (the oldest is dropped) and puts
// `text` in line 0, cut to 39 characters so the line stays terminated.
void console_print(const char* text, console& con);
