// Typing into the console through key_state.
#include "config/console_update.h"

#include <cstring>

#include "config/console.h"
#include "config/console_execute.h"
#include "config/console_print.h"
#include "config/key_state.h"

namespace {

enum console_action { action_none, action_typing, action_backspace, action_space, action_enter };

constexpr int max_typed_per_tick = 4;

// The longest line that still ends in a zero inside input_line.
constexpr int max_input_length = console_line_size - 1;

// Scans the slots in code order and consumes what the console takes. A
// backspace, space or return ends the scan and wins over the characters
// taken before it, which are lost; so is a fifth character.
console_action take_keys(console& con, key_state& keys, int* taken) {
  console_action action = action_none;
  *taken = 0;
  for (int slot = 0; slot <= key_slot_return; ++slot) {
    if (keys.slots[slot] != key_pressed) continue;
    keys.slots[slot] = key_held;
    if (slot == key_slot_backspace) return action_backspace;
    if (slot == key_slot_space) return action_space;
    if (slot == key_slot_return) return action_enter;
    if (*taken == max_typed_per_tick) return action;
    con.typed_chars[(*taken)++] = static_cast<char>(slot + 33);
    action = action_typing;
  }
  return action;
}

}  // namespace

void console_update(console& con, config_table& table, key_state& keys) {
  memset(con.typed_chars, 0, sizeof con.typed_chars);
  int taken = 0;
  console_action action = take_keys(con, keys, &taken);

  switch (action) {
    case action_typing:
      // Each character goes in only while the whole tick's batch would
      // still fit, so a 39-character line takes no more typing.
      for (int i = 0; i < taken; ++i)
        if (con.input_length + taken < console_line_size)
          con.input_line[con.input_length++] = con.typed_chars[i];
      break;
    case action_backspace:
      if (con.input_length > 0) con.input_line[--con.input_length] = 0;
      break;
    case action_space:
      // A blank in the last position would leave the line without its
      // terminating zero, so the line stops at 39 characters here too.
      if (con.input_length < max_input_length) con.input_line[con.input_length++] = ' ';
      break;
    case action_enter:
      console_print(con.input_line, con);
      console_execute_line(con, table);
      memset(con.input_line, 0, sizeof con.input_line);
      con.input_length = 0;
      break;
    case action_none:
      break;
  }
}
