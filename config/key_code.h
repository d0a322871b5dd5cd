// Bindings name keys by a one-byte key code; this maps a code to its slot.
#pragma once
#include <cstdint>

#include "config/key_state.h"

// The slot that key code `code` reads: 33 to 134 give code - 33 (the
// characters, then backspace, space, return, the arrows and control), 32
// (space) gives the space slot. Any other code names no key: -1.
int key_code_slot(uint8_t code);

// The value of the slot named by `code`, key_up for a code that names no
// key. Used by the player's controls through its key bindings.
int32_t key_code_value(const key_state& keys, uint8_t code);

// The key code a binding takes for the key of `slot`: slot + 33, but 32 for
// the space slot (the code the default jump binding uses). 0 for a slot
// outside the table.
uint8_t key_code_of_slot(int slot);

// The key's name as the player reads it, written into `buffer` of `size`
// bytes: the upper-case letter for a letter ("W"), "Shift+W" for a capital,
// the character itself for a digit or sign, "Space", "Backspace", "Return",
// "Up", "Down", "Left", "Right", "Control"; "none" for a code that names no
// key. Used by the Controls page and the How To Play page.
void key_code_name(uint8_t code, char* buffer, int size);
