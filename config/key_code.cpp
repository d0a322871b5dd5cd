// Bindings name keys by a one-byte key code; this maps a code to its slot.
#include "config/key_code.h"

int key_code_slot(uint8_t code) {
  if (code == 32) return key_slot_space;
  if (code >= 33 && code <= 134) return code - 33;
  return -1;
}

int32_t key_code_value(const key_state& keys, uint8_t code) {
  int slot = key_code_slot(code);
  return slot < 0 ? key_up : keys.slots[slot];
}
