// Walking an enemy toward a point.
#include "entities/steer_toward.h"

#include <cmath>

#include "base/entity.h"
#include "entities/enemy_kinds.h"
#include "entities/enemy_sight.h"
#include "world/bsp_query.h"

namespace {

constexpr double turn_interval = 0.3;
constexpr double reach_margin = 0.05;
constexpr double min_slope_up = 0.7071;  // cos 45 degrees: the steepest floor walked up

// The step raised as far as a 45-degree slope rises over it, when the way
// ahead is blocked by a slanted floor no steeper than that (flat floors and
// walls block as before). True with `step` raised when the raised step is
// clear.
bool climb_slope(const double pos[3], double step[3], const bsp_node* root) {
  double normal[3] = {0.0, 0.0, 0.0}, distance = 0.0;
  bsp_trace_solid(pos, step, root, normal, &distance);
  double len = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
  if (!(len > 0.0) || normal[1] / len < min_slope_up || (normal[0] == 0.0 && normal[2] == 0.0)) return false;
  double raised[3] = {step[0], step[1] + std::hypot(step[0] - pos[0], step[2] - pos[2]), step[2]};
  if (!segment_clear(pos, raised, root)) return false;
  step[1] = raised[1];
  return true;
}

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
  if (segment_clear(e.pos, step, root) || climb_slope(e.pos, step, root)) {
    for (int i = 0; i < 3; ++i) e.pos[i] = step[i];
    return 0;
  }
  for (int i = 0; i < 3; ++i) e.pos[i] -= e.vel[i] * dt;
  return 1;
}
