// The keyboard table: one slot per character and special key.
#pragma once
#include <cstdint>

// Slots 0 to 93 are the characters 33 to 126 (slot = code - 33), then the
// special keys.
constexpr int key_slot_count = 102;
enum {
  key_slot_backspace = 94,
  key_slot_space = 95,
  key_slot_return = 96,
  key_slot_up = 97,
  key_slot_down = 98,
  key_slot_left = 99,
  key_slot_right = 100,
  key_slot_control = 101,
};

// The value of a slot.
enum key_value : int32_t {
  key_up = 0,        // not down
  key_pressed = 1,   // went down this tick
  key_held = 2,      // down since an earlier tick, or consumed by a reader
  key_released = 3,  // went up this tick
};

struct key_state {
  int32_t slots[key_slot_count];
};
