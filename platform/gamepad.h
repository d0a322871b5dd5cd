// Gamepads through SDL's game-controller API: one pad at a time, plugged in
// or pulled out while the game runs, and the keys it holds down for the
// player.
#pragma once
#include <cstdint>

// The buttons, in the order of SDL's game-controller buttons (the layout of
// an Xbox pad: A at the bottom of the four face buttons).
enum gamepad_button {
  pad_a,
  pad_b,
  pad_x,
  pad_y,
  pad_back,
  pad_guide,
  pad_start,
  pad_left_stick,
  pad_right_stick,
  pad_left_shoulder,
  pad_right_shoulder,
  pad_dpad_up,
  pad_dpad_down,
  pad_dpad_left,
  pad_dpad_right,
  pad_button_count
};

// The axes: sticks from -32768 to 32767 (y grows downward), triggers from 0
// to 32767.
enum gamepad_axis {
  pad_left_x,
  pad_left_y,
  pad_right_x,
  pad_right_y,
  pad_trigger_left,
  pad_trigger_right,
  pad_axis_count
};

// The pad as it is now.
struct gamepad_state {
  int32_t connected;  // 1 while a pad is open
  uint32_t buttons;   // bit (1 << gamepad_button) set while the button is down
  int16_t axes[pad_axis_count];
};

// Starts SDL's game-controller subsystem with its built-in mapping
// database, adding the mappings of `mapping_file` (SDL's
// gamecontrollerdb.txt format) when that file exists. Called once at
// start-up after platform_init; false when the subsystem cannot start (the
// game then runs without a pad).
bool platform_gamepad_init(const char* mapping_file);

// Closes the pad and lets the keys it held go. Called at shutdown.
void platform_gamepad_quit();

// Reads the pad into `state`: opens the first game controller when none is
// open, and lets a pulled-out one go, logging either. Called once per tick
// after the window messages are drained, which updates SDL's pad state.
void platform_gamepad_read(gamepad_state* state);

// Sets the virtual-key codes the pad holds down: `held` has 256 entries,
// non-zero for a key held. platform_key_down reports them as down, so the
// keyboard poll, the menus and Escape see the pad as keys.
void platform_gamepad_hold_keys(const uint8_t* held);

// Whether the pad holds the key with virtual-key code `vk` down.
bool platform_gamepad_holds_key(int vk);

// A virtual pad for tests and headless runs: SDL's virtual joystick with a
// game controller's buttons and axes. Attach gives a handle for the other
// calls (-1 when SDL refuses); the pad is picked up by the next
// platform_gamepad_read, and detaching it is a pull-out.
int platform_gamepad_attach_virtual(const char* name);
void platform_gamepad_set_virtual_button(int handle, gamepad_button button, bool down);
void platform_gamepad_set_virtual_axis(int handle, gamepad_axis axis, int16_t value);
void platform_gamepad_detach_virtual(int handle);
