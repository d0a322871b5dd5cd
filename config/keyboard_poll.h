// Polling the keyboard once per tick into the character slots of key_state.
#pragma once

#include "config/key_state.h"
#include "platform/keyboard.h"

// Whether the key with this virtual-key code is down now. The game passes
// platform_key_down; a test passes its own table of keys that are down.
using key_down_test = bool (*)(int vk);

// Advances every slot (pressed to held, released to up, held to released
// once the key is up), then marks new presses of characters and of the
// special keys. Shift chooses between a key's two characters. Called first
// in every game tick and by the menus once per pass.
void poll_keyboard(key_state& keys, key_down_test key_down = platform_key_down);
