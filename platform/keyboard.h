// The key-down test by Windows virtual-key code, on SDL's keyboard state.
#pragma once

// Virtual-key codes the game names directly.
enum {
  vk_back = 0x08,
  vk_return = 0x0D,
  vk_shift = 0x10,
  vk_control = 0x11,
  vk_escape = 0x1B,
  vk_space = 0x20,
  vk_left = 0x25,
  vk_up = 0x26,
  vk_right = 0x27,
  vk_down = 0x28,
};

// Whether the key with virtual-key code `vk` is down now, on the keyboard
// or held by the gamepad (platform/gamepad.h). Codes with no key on a US
// layout read as up.
bool platform_key_down(int vk);

// The SDL scancode that stands for virtual-key code `vk`, 0 when none.
// Exposed so that tests can check the table.
int platform_vk_scancode(int vk);
