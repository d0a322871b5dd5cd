// The in-game console record: history, the line being typed, the pending command.
#pragma once
#include <cstdint>

constexpr int console_history_lines = 20;
constexpr int console_line_size = 40;

struct console {
  char history[console_history_lines][console_line_size];  // line 0 the newest
  char input_line[console_line_size];                      // zero-filled when empty
  char typed_chars[4];                                     // characters taken this tick
  char command_text[console_line_size];                    // the pending command
  int32_t input_length;
  int32_t command_pending;
  int32_t console_open;
};
