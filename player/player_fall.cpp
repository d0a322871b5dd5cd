// Gravity and landing.
#include "player/player_fall.h"

#include "player/player.h"
#include "world/bsp_query.h"

namespace {

constexpr double gravity = 30.0;
constexpr double feet_probe_depth = 0.25;
constexpr double half_width = 0.25;

}  // namespace

void player_fall(player& p, const bsp_node* root, double dt) {
  const double a[3] = {p.pos[0], p.pos[1] - feet_probe_depth, p.pos[2]};
  double vy = p.vel[1] - gravity * dt;
  const double d[3] = {p.vel[0] * dt, vy * dt - 0.5 * gravity * dt * dt, p.vel[2] * dt};

  // The probes report no plane that is used here.
  double unused_normal[3] = {0.0, 0.0, 0.0};
  double unused_distance = 0.0;
  const double corner_x[4] = {-half_width, half_width, -half_width, half_width};
  const double corner_z[4] = {half_width, half_width, -half_width, -half_width};
  bool landed = false;
  for (int i = 0; i < 4; ++i) {
    double probe[3] = {a[0] + d[0] + corner_x[i], a[1] + d[1], a[2] + d[2] + corner_z[i]};
    if (bsp_trace_solid(a, probe, root, unused_normal, &unused_distance) != 0 ||
        bsp_trace_solid(probe, probe, root, unused_normal, &unused_distance) != 0) {
      p.vel[1] = 0.0;
      landed = true;
    }
  }

  if (landed) {
    // No snapping to the floor: the player rests where the probes found it.
    p.jump_time = 0.0;
    p.on_ground = 1;
    return;
  }
  for (int i = 0; i < 3; ++i) p.pos[i] += d[i];
  p.vel[1] = vy;
}
