// Bindings name keys by a one-byte key code; this maps a code to its slot.
#include "config/key_code.h"

#include <cstdio>

int key_code_slot(uint8_t code) {
  if (code == 32) return key_slot_space;
  if (code >= 33 && code <= 134) return code - 33;
  return -1;
}

int32_t key_code_value(const key_state& keys, uint8_t code) {
  int slot = key_code_slot(code);
  return slot < 0 ? key_up : keys.slots[slot];
}

uint8_t key_code_of_slot(int slot) {
  if (slot == key_slot_space) return 32;
  if (slot < 0 || slot >= key_slot_count) return 0;
  return static_cast<uint8_t>(slot + 33);
}

void key_code_name(uint8_t code, char* buffer, int size) {
  static const char* const special[] = {"Backspace", "Space", "Return", "Up",
                                        "Down",      "Left",  "Right",  "Control"};
  if (size <= 0) return;
  int slot = key_code_slot(code);
  if (slot < 0)
    snprintf(buffer, static_cast<size_t>(size), "none");
  else if (slot >= key_slot_backspace)
    snprintf(buffer, static_cast<size_t>(size), "%s", special[slot - key_slot_backspace]);
  else if (code >= 'a' && code <= 'z')
    snprintf(buffer, static_cast<size_t>(size), "%c", code - 'a' + 'A');
  else if (code >= 'A' && code <= 'Z')
    snprintf(buffer, static_cast<size_t>(size), "Shift+%c", code);
  else
    snprintf(buffer, static_cast<size_t>(size), "%c", code);
}
