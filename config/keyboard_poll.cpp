// Polling the keyboard once per tick into the character slots of key_state.
//
// Slots hold characters, not physical keys: the letter keys fill the
// lower-case slots, and with shift the upper-case ones; the digit and
// punctuation keys fill their shifted symbol's slot while shift is down.
// A character is found down by testing the virtual-key code equal to the
// character itself, so a few other keys land in character slots as well:
// the keypad 1 key (code 97) types a lower-case a, and the left arrow
// (code 37) fills the percent slot besides its own.
#include "config/keyboard_poll.h"

namespace {

// The punctuation keys: the unshifted character, its key, and the
// character the same key gives with shift.
struct punctuation_key {
  int unshifted;
  int vk;
  int shifted;
};

const punctuation_key punctuation_keys[] = {
    {'\'', 0xDE, '"'}, {'+', 0xBB, '='}, {',', 0xBC, '<'}, {'-', 0xBD, '_'},
    {'.', 0xBE, '>'},  {'/', 0xBF, '?'}, {';', 0xBA, ':'}, {'[', 0xDB, '{'},
    {'\\', 0xDC, '|'}, {']', 0xDD, '}'}, {'`', 0xC0, '~'},
};

// The symbol each digit key gives with shift, for the digits 0 to 9.
const char digit_symbols[10] = {')', '!', '@', '#', '$', '%', '^', '&', '*', '('};

// What the poll knows of one character code.
struct char_class {
  int held_vk;         // the key that keeps this character's slot held
  int punctuation_of;  // for unshifted punctuation, index into punctuation_keys; else -1
};

struct char_classes {
  char_class codes[128];
};

char_classes build_char_classes() {
  char_classes table{};
  for (int c = 0; c < 128; ++c) {
    table.codes[c].punctuation_of = -1;
    // Letters test their upper-case key; every other code its own value.
    table.codes[c].held_vk = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
  }
  for (int i = 0; i < static_cast<int>(sizeof punctuation_keys / sizeof punctuation_keys[0]); ++i) {
    const punctuation_key& key = punctuation_keys[i];
    table.codes[key.unshifted] = char_class{key.vk, i};
    table.codes[key.shifted].held_vk = key.vk;
  }
  for (int digit = 0; digit < 10; ++digit)
    table.codes[static_cast<int>(digit_symbols[digit])].held_vk = '0' + digit;
  return table;
}

const char_classes& classes() {
  static const char_classes table = build_char_classes();
  return table;
}

// The virtual keys of the special slots 94 to 101, in slot order.
const int special_vks[key_slot_count - key_slot_backspace] = {
    vk_back, vk_space, vk_return, vk_up, vk_down, vk_left, vk_right, vk_control,
};

// The slot of character code c; code 127 stands for backspace.
int char_slot(int c) { return c - 33; }

// Marks `slot` pressed unless it is already held or released.
void press_if_free(key_state& keys, int slot) {
  if (keys.slots[slot] < key_held) keys.slots[slot] = key_pressed;
}

// Phase 1: every slot moves on by one tick.
void advance_slots(key_state& keys, key_down_test key_down) {
  for (int slot = 0; slot < key_slot_count; ++slot) {
    int32_t& value = keys.slots[slot];
    if (value == key_pressed) {
      value = key_held;
    } else if (value == key_released) {
      value = key_up;
    } else if (value == key_held) {
      int vk = slot < key_slot_backspace ? classes().codes[slot + 33].held_vk
                                         : special_vks[slot - key_slot_backspace];
      if (!key_down(vk)) value = key_released;
    }
  }
}

// Phase 2, one character code.
void press_character(key_state& keys, key_down_test key_down, int c, bool shift) {
  const char_class& cls = classes().codes[c];
  if (cls.punctuation_of >= 0) {
    const punctuation_key& key = punctuation_keys[cls.punctuation_of];
    if (!key_down(key.vk)) return;
    if (shift)
      press_if_free(keys, char_slot(key.shifted));
    else
      keys.slots[char_slot(c)] = key_pressed;
    return;
  }
  if (!key_down(c)) return;
  bool digit = c >= '0' && c <= '9';
  if (shift && !digit) {
    keys.slots[char_slot(c)] = key_pressed;
  } else if (shift) {
    press_if_free(keys, char_slot(digit_symbols[c - '0']));
  } else {
    int lower = (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
    press_if_free(keys, char_slot(lower));
  }
}

}  // namespace

void poll_keyboard(key_state& keys, key_down_test key_down) {
  advance_slots(keys, key_down);

  bool shift = key_down(vk_shift);
  for (int c = 33; c <= 127; ++c) {
    int32_t own = keys.slots[char_slot(c)];
    if (own == key_held || own == key_released) continue;
    press_character(keys, key_down, c, shift);
  }

  for (int slot = key_slot_backspace; slot < key_slot_count; ++slot)
    if (keys.slots[slot] < key_held && key_down(special_vks[slot - key_slot_backspace]))
      keys.slots[slot] = key_pressed;
}
