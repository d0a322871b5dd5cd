// The gamepad mapped onto the game's own controls: the keys of the player's
// bindings, the mouse's motion and its two buttons. Nothing downstream knows
// a pad exists; a pad player's tick reads the same key slots and
// mouse_state a keyboard player's does.
//
// In a level: left stick and D-pad move (the movement keys), right stick
// looks like the mouse, A jumps, B crouches, X reloads, the shoulder
// buttons cycle the guns (left: previous, right: next), the right trigger is
// the left mouse button (fire) and the left trigger the right one (zoom).
// In the menus: A is Space, the D-pad and the left stick are the arrows.
// Start held for a second is Escape, so a tap does not end the game.
#pragma once
#include <cstdint>

#include "config/config_table.h"
#include "config/mouse_state.h"
#include "platform/gamepad.h"

struct player;

// How long Start must be held to count as Escape, in seconds.
constexpr double gamepad_start_hold = 1.0;
// How far a trigger must be pulled to press its mouse button (of 32767).
constexpr int gamepad_trigger_threshold = 32767 * 3 / 10;

// Which controls the pad drives this tick.
enum gamepad_mode {
  gamepad_menus,    // the menus and the screens between levels
  gamepad_game,     // a level with the console closed
  gamepad_console,  // the console is open: it takes typing, not the pad
};

// What the mapping keeps between ticks.
struct gamepad_input {
  double start_held;    // seconds Start has been down
  double look_rest[2];  // fractions of a mouse count not yet handed on
  int32_t left_button;  // the mouse buttons as the triggers last set them
  int32_t right_button;
  int32_t reported_deadzone;  // last out-of-range joy_deadzone that was logged
  int32_t deadzone_reported;  // 1 once one has been
};

// The virtual-key code (and whether shift goes with it) that makes the
// keyboard poll press the slot of binding `code`: vk -1 when no key does.
struct binding_key {
  int vk;
  bool shift;
};
binding_key gamepad_binding_key(uint8_t code);

// The stick dead zone as a fraction (0 to 0.9), from joy_deadzone in
// percent. A value outside 0 to 90 is logged once and held to that range.
double gamepad_deadzone(gamepad_input& input, const config_table& config);

// One tick of the pad. Fills `held` (256 entries, one per virtual-key code)
// with the keys the pad holds; in a level also adds the right stick's look
// to the tick's mouse motion and turns trigger pulls and releases into
// mouse button changes, as raw mouse messages would. `dt` is the tick's
// length in seconds. Called by the main loop after the window messages.
void gamepad_map(gamepad_input& input, const gamepad_state& pad, gamepad_mode mode, const player& p,
                 const config_table& config, double dt, mouse_state& mouse, uint8_t* held);
