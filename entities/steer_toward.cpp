// Walking an enemy toward a point.
#include "entities/steer_toward.h"

#include <cmath>

#include "entities/enemy_kinds.h"
#include "entities/enemy_sight.h"
#include "entities/entity.h"

namespace {

constexpr double turn_interval = 0.3;
constexpr double reach_margin = 0.05;

}  // namespace

int steer_toward(entity& e, const bsp_node* root, const double target[3], double stop_distance, double dt) {
  const double dx = target[0] - e.pos[0], dz = target[2] - e.pos[2];
  e.state_timer += dt;
  if (e.state_timer > turn_interval) {
    turn_facing_toward(e.facing, std::atan2(dx, dz));
    e.state_timer = 0.0;
  }
  if (distance3(e.pos, target) <= stop_distance + reach_margin) return 1;

  // Straight above or below the target there is no way to walk: stand.
  const double speed = enemy_kind_of(e.type).speed;
  const double across = std::sqrt(dx * dx + dz * dz);
  e.vel[0] = across > 0.0 ? speed * dx / across : 0.0;
  e.vel[2] = across > 0.0 ? speed * dz / across : 0.0;

  double step[3];
  for (int i = 0; i < 3; ++i) step[i] = e.pos[i] + e.vel[i] * dt;
  if (segment_clear(e.pos, step, root)) {
    for (int i = 0; i < 3; ++i) e.pos[i] = step[i];
    return 0;
  }
  for (int i = 0; i < 3; ++i) e.pos[i] -= e.vel[i] * dt;
  return 1;
}
