// One move key's push on the player's acceleration.
#include "player/player_push.h"

#include <cmath>

#include "config/key_state.h"
#include "player/player.h"

namespace {

constexpr double move_accel = 28.0;
constexpr double move_accel_jumping = 14.0;

// Whether velocity and the acceleration gathered so far point opposite
// ways (both strictly non-zero).
bool opposed(double vel, double accel) { return (vel > 0.0 && accel < 0.0) || (vel < 0.0 && accel > 0.0); }

}  // namespace

void player_push(player& p, int32_t key, double heading) {
  if (key != key_pressed && key != key_held) return;
  double speed = p.jumping ? move_accel_jumping : move_accel;
  double along_z = std::sin(heading) * speed;
  p.accel[2] += opposed(p.vel[2], p.accel[2]) ? along_z * 2.0 : along_z;
  double along_x = std::cos(heading) * speed;
  p.accel[0] += opposed(p.vel[0], p.accel[0]) ? along_x * 2.0 : along_x;
}
