// The player's keyboard controls: crouch, guns, key look, reload, jump, move keys.
#include "player/player_input.h"

#include <cmath>

#include "config/key_code.h"
#include "config/key_state.h"
#include "player/player.h"
#include "player/player_push.h"
#include "player/player_weapons_controls.h"

namespace {

constexpr double key_look_rate = 120.0;  // degrees a second per unit of look_key_speed
constexpr double jump_window = 0.15;
constexpr double jump_thrust = 48.0;
constexpr double degrees_to_radians = 3.14159265358979323846 / 180.0;

int32_t bound(const player& p, const key_state& keys, int binding) {
  return key_code_value(keys, p.key_bindings[binding]);
}

// The first tick of a press reads key_pressed and does not count: thrust
// starts on the next tick, when the key reads held.
void jump(player& p, int32_t key, double dt) {
  if (key == key_held) {
    if (!p.on_ground) return;
    p.jump_time += dt;
    if (p.jump_time < jump_window) {
      p.jumping = 1;
      p.accel[1] = jump_thrust;
    } else {
      p.on_ground = 0;
      p.jumping = 0;
    }
  } else if (p.on_ground && p.jumping) {
    // Let go early: no more thrust, but the fall waits for the window to end.
    p.jump_time += dt;
    if (p.jump_time > jump_window) {
      p.on_ground = 0;
      p.jumping = 0;
    }
  }
}

}  // namespace

void player_input(player& p, const key_state& keys, double dt) {
  p.crouch = bound(p, keys, bind_crouch) == key_held ? 1 : 0;
  // The gun in hand stays until its reload is over.
  if (!p.reloading) gun_choice(p, keys);

  double turn = key_look_rate * p.key_bindings[bind_look_key_speed] * dt;
  if (bound(p, keys, bind_lookleft) != key_up) p.yaw += turn;
  if (bound(p, keys, bind_lookright) != key_up) p.yaw -= turn;

  reload_step(p, bound(p, keys, bind_reload), dt);

  jump(p, bound(p, keys, bind_jump), dt);

  player_push(p, bound(p, keys, bind_forward), -(p.yaw + 90.0) * degrees_to_radians);
  player_push(p, bound(p, keys, bind_moveleft), -(p.yaw + 180.0) * degrees_to_radians);
  player_push(p, bound(p, keys, bind_backward), -(p.yaw + 270.0) * degrees_to_radians);
  player_push(p, bound(p, keys, bind_moveright), -p.yaw * degrees_to_radians);
}
