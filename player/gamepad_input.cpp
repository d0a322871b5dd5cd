// The gamepad mapped onto the game's own controls.
//
// The pad works by holding keys down: a binding's key is found by asking
// the keyboard poll itself which key fills the binding's slot, so the pad
// presses exactly what a keyboard player would, shift included, and every
// rule of the poll (press, hold, release, the menus' pacing) applies
// unchanged.
#include "player/gamepad_input.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "config/key_code.h"
#include "config/keyboard_poll.h"
#include "platform/keyboard.h"
#include "player/player.h"

namespace {

constexpr int deadzone_limit = 90;

// For every slot, the key that presses it.
struct slot_key_table {
  binding_key slots[key_slot_count];
};

// The key the simulated keyboard holds while the table is built.
int simulated_vk = -1;
bool simulated_shift = false;

bool simulated_key_down(int vk) { return vk == simulated_vk || (simulated_shift && vk == vk_shift); }

// Polls a fresh key table with each key alone, without and then with shift,
// and keeps for each slot the key that presses it together with the fewest
// other slots; on a tie the one without shift and the lower code.
slot_key_table build_slot_keys() {
  slot_key_table table;
  int best[key_slot_count];
  for (int slot = 0; slot < key_slot_count; ++slot) {
    table.slots[slot] = binding_key{-1, false};
    best[slot] = INT_MAX;
  }
  for (int shift = 0; shift < 2; ++shift) {
    for (int vk = 1; vk < 256; ++vk) {
      if (vk == vk_shift) continue;
      simulated_vk = vk;
      simulated_shift = shift != 0;
      key_state keys{};
      poll_keyboard(keys, simulated_key_down);
      int pressed = 0;
      for (int32_t value : keys.slots) pressed += value == key_pressed;
      for (int slot = 0; slot < key_slot_count; ++slot) {
        if (keys.slots[slot] != key_pressed || pressed >= best[slot]) continue;
        best[slot] = pressed;
        table.slots[slot] = binding_key{vk, shift != 0};
      }
    }
  }
  simulated_vk = -1;
  simulated_shift = false;
  return table;
}

const slot_key_table& slot_keys() {
  static const slot_key_table table = build_slot_keys();
  return table;
}

bool button(const gamepad_state& pad, gamepad_button b) { return (pad.buttons >> b) & 1u; }

void hold(uint8_t* held, int vk) {
  if (vk >= 0 && vk < 256) held[vk] = 1;
}

void hold_binding(uint8_t* held, const player& p, int binding) {
  binding_key key = gamepad_binding_key(p.key_bindings[binding]);
  if (key.vk < 0) return;
  hold(held, key.vk);
  if (key.shift) hold(held, vk_shift);
}

// A stick axis as -1, 0 or 1: past the dead zone or not.
int stick_direction(int16_t value, double deadzone) {
  double tilt = value / 32767.0;
  if (tilt > deadzone) return 1;
  if (tilt < -deadzone) return -1;
  return 0;
}

void menu_keys(const gamepad_state& pad, double deadzone, uint8_t* held) {
  int x = stick_direction(pad.axes[pad_left_x], deadzone);
  int y = stick_direction(pad.axes[pad_left_y], deadzone);
  if (button(pad, pad_a)) hold(held, vk_space);
  if (button(pad, pad_dpad_up) || y < 0) hold(held, vk_up);
  if (button(pad, pad_dpad_down) || y > 0) hold(held, vk_down);
  if (button(pad, pad_dpad_left) || x < 0) hold(held, vk_left);
  if (button(pad, pad_dpad_right) || x > 0) hold(held, vk_right);
}

void game_keys(const gamepad_state& pad, double deadzone, const player& p, uint8_t* held) {
  int x = stick_direction(pad.axes[pad_left_x], deadzone);
  int y = stick_direction(pad.axes[pad_left_y], deadzone);
  if (button(pad, pad_dpad_up) || y < 0) hold_binding(held, p, bind_forward);
  if (button(pad, pad_dpad_down) || y > 0) hold_binding(held, p, bind_backward);
  if (button(pad, pad_dpad_left) || x < 0) hold_binding(held, p, bind_moveleft);
  if (button(pad, pad_dpad_right) || x > 0) hold_binding(held, p, bind_moveright);
  if (button(pad, pad_a)) hold_binding(held, p, bind_jump);
  if (button(pad, pad_b)) hold_binding(held, p, bind_crouch);
  if (button(pad, pad_x)) hold_binding(held, p, bind_reload);
  if (button(pad, pad_left_shoulder)) hold_binding(held, p, bind_prevgun);
  if (button(pad, pad_right_shoulder)) hold_binding(held, p, bind_nextgun);
}

// A trigger pulled or let go changes its mouse button the way a raw mouse
// message does: the old state becomes the previous one.
void trigger_button(int16_t trigger, int32_t& last, int32_t& state, int32_t& previous) {
  int32_t down = trigger > gamepad_trigger_threshold ? 1 : 0;
  if (down == last) return;
  last = down;
  previous = state;
  state = down;
}

int32_t add_counts(int32_t sum, double counts) {
  double total = static_cast<double>(sum) + counts;
  if (total > INT32_MAX) return INT32_MAX;
  if (total < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(total);
}

// The right stick as mouse counts: a round dead zone, then the tilt beyond
// it scaled to 0..1 and turned into joy_look_speed counts a second. The
// fractions of a count are carried to the next tick, so a slight tilt still
// turns the view smoothly.
void stick_look(gamepad_input& input, const gamepad_state& pad, double deadzone, double speed, double dt,
                mouse_state& mouse) {
  double x = pad.axes[pad_right_x] / 32767.0;
  double y = pad.axes[pad_right_y] / 32767.0;
  double tilt = std::hypot(x, y);
  if (tilt <= deadzone) {
    input.look_rest[0] = input.look_rest[1] = 0.0;
    return;
  }
  double scale = (std::fmin(tilt, 1.0) - deadzone) / (1.0 - deadzone) / tilt;
  double counts[2] = {input.look_rest[0] + speed * x * scale * dt,
                      input.look_rest[1] + speed * y * scale * dt};
  double whole[2] = {std::trunc(counts[0]), std::trunc(counts[1])};
  input.look_rest[0] = counts[0] - whole[0];
  input.look_rest[1] = counts[1] - whole[1];
  mouse.x_motion = add_counts(mouse.x_motion, whole[0]);
  mouse.y_motion = add_counts(mouse.y_motion, whole[1]);
}

}  // namespace

binding_key gamepad_binding_key(uint8_t code) {
  int slot = key_code_slot(code);
  if (slot < 0) return binding_key{-1, false};
  return slot_keys().slots[slot];
}

double gamepad_deadzone(gamepad_input& input, const config_table& config) {
  int32_t percent = config_at(config, cfg_joy_deadzone).value.as_int;
  int32_t held = percent < 0 ? 0 : percent > deadzone_limit ? deadzone_limit : percent;
  if (held != percent && !(input.deadzone_reported && input.reported_deadzone == percent)) {
    printf("gamepad: joy_deadzone %d is outside 0 to %d; using %d\n", percent, deadzone_limit, held);
    input.reported_deadzone = percent;
    input.deadzone_reported = 1;
  }
  return held / 100.0;
}

void gamepad_map(gamepad_input& input, const gamepad_state& pad, gamepad_mode mode, const player& p,
                 const config_table& config, double dt, mouse_state& mouse, uint8_t* held) {
  memset(held, 0, 256);
  if (!pad.connected) {
    input.start_held = 0.0;
    input.look_rest[0] = input.look_rest[1] = 0.0;
    if (mode != gamepad_console) {
      trigger_button(0, input.left_button, mouse.left, mouse.left_previous);
      trigger_button(0, input.right_button, mouse.right, mouse.right_previous);
    }
    return;
  }
  double deadzone = gamepad_deadzone(input, config);
  input.start_held = button(pad, pad_start) ? input.start_held + dt : 0.0;
  if (input.start_held >= gamepad_start_hold) hold(held, vk_escape);

  if (mode == gamepad_console) return;
  trigger_button(pad.axes[pad_trigger_right], input.left_button, mouse.left, mouse.left_previous);
  trigger_button(pad.axes[pad_trigger_left], input.right_button, mouse.right, mouse.right_previous);
  if (mode == gamepad_menus) {
    menu_keys(pad, deadzone, held);
    input.look_rest[0] = input.look_rest[1] = 0.0;
    return;
  }
  game_keys(pad, deadzone, p, held);
  stick_look(input, pad, deadzone, config_at(config, cfg_joy_look_speed).value.as_int, dt, mouse);
}
