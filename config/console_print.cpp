// Adding a line to the console's history.
#include "config/console_print.h"

#include <cstdio>
#include <cstring>

#include "config/console.h"

void console_print(const char* text, console& con) {
  memmove(con.history[1], con.history[0], sizeof con.history[0] * (console_history_lines - 1));
  char line[console_line_size] = {};
  snprintf(line, sizeof line, "%s", text);
  memcpy(con.history[0], line, sizeof line);
}
