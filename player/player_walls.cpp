// The player's collision against walls: step up, slide, unstick.
#include "player/player_walls.h"

#include <cmath>

#include "player/player.h"
#include "world/bsp_query.h"

namespace {

constexpr double half_width = 0.25;
constexpr double probe_top = 2.25;
constexpr double min_wall_distance = 0.25;
constexpr double step_probe = 1.0;
constexpr double step_height = 1.01;
constexpr double nudge = 0.25;
constexpr int max_depth = 3;
constexpr double min_slope_up = 0.7071;    // cos 45 degrees
constexpr double slope_clearance = 0.001;  // the corner ends this far above a slope

// The plane the probes last crossed into a wall. It is set once per pass
// and not cleared between probes, so a later probe can act on an earlier
// probe's plane.
struct wall_plane {
  double hit_normal[3];
  double hit_distance;
};

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Removes from v its component along n. Map files do not promise unit
// normals, so the component is taken along n's direction whatever its
// length; n is never zero here (the probe only slides on a reported plane).
void remove_component(double v[3], const double n[3]) {
  double along = dot(v, n) / dot(n, n);
  for (int i = 0; i < 3; ++i) v[i] -= along * n[i];
}

// Moves pos out of solid for the next try; false after the last nudge.
bool nudge_out(player& p, int depth) {
  if (depth == 0) {
    p.pos[0] += nudge;
  } else if (depth == 1) {
    p.pos[0] -= nudge;
    p.pos[2] += nudge;
  } else if (depth == 2) {
    p.pos[0] += nudge;
  } else {
    return false;
  }
  return true;
}

// A probe that ended inside a wall: climb it when it is low and the way
// above is free, otherwise slide along it.
void meet_wall(player& p, const bsp_node* root, const double probe[3], const wall_plane& plane) {
  double probe_up[3] = {probe[0], probe[1] + step_probe, probe[2]};
  double pos_up[3] = {p.pos[0], p.pos[1] + step_probe, p.pos[2]};
  if (bsp_segment_clear(probe_up, pos_up, root)) {
    p.pos[1] += step_height;
  } else {
    remove_component(p.vel, plane.hit_normal);
    remove_component(p.accel, plane.hit_normal);
  }
}

// Whether a plane is a slanted floor the player walks up (at most 45
// degrees steep); flat floors and walls are met as before.
bool walkable_slope(const double n[3]) {
  double len = std::sqrt(dot(n, n));
  return len > 0.0 && n[1] / len >= min_slope_up && (n[0] != 0.0 || n[2] != 0.0);
}

// A feet corner that ended under a slanted floor: the player rises until
// the corner is on the floor (the highest corner counts once, whichever
// probe found it first). `lifted` is how much this pass has raised it.
void climb_slope(player& p, const double probe[3], const wall_plane& plane, double* lifted) {
  const double* n = plane.hit_normal;
  double len = std::sqrt(dot(n, n));
  // The trace ran from pos as it is now, in front of the floor by hit_distance.
  double from_pos[3] = {probe[0] - p.pos[0], probe[1] - p.pos[1], probe[2] - p.pos[2]};
  double under = plane.hit_distance + dot(from_pos, n) / len;  // the corner's height over the floor, along n
  if (under >= 0.0) return;
  double need = -under / (n[1] / len) + slope_clearance;
  if (need <= *lifted) return;
  p.pos[1] += need - *lifted;
  *lifted = need;
}

// Where this tick's velocity and acceleration take pos, without collision.
void advanced(const player& p, double dt, double out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = p.pos[i] + p.vel[i] * dt + 0.5 * p.accel[i] * dt * dt;
}

}  // namespace

void player_walls(player& p, const bsp_node* root, double dt, int depth) {
  wall_plane plane{};
  double lifted = 0.0;
  double n[3];
  advanced(p, dt, n);

  const double corner_x[4] = {-half_width, half_width, -half_width, half_width};
  const double corner_z[4] = {half_width, half_width, -half_width, -half_width};
  for (int i = 0; i < 8; ++i) {
    double probe[3] = {n[0] + corner_x[i % 4], n[1] + (i < 4 ? 0.0 : probe_top), n[2] + corner_z[i % 4]};
    if (bsp_trace_solid(p.pos, probe, root, plane.hit_normal, &plane.hit_distance) != 0) {
      // The player's own position is inside solid.
      if (depth == max_depth || !nudge_out(p, depth)) return;
      player_walls(p, root, dt, depth + 1);
      return;
    }
    double distance = plane.hit_distance;
    bool has_plane = plane.hit_normal[0] != 0.0 || plane.hit_normal[1] != 0.0 || plane.hit_normal[2] != 0.0;
    if (!has_plane || bsp_trace_solid(probe, probe, root, plane.hit_normal, &plane.hit_distance) == 0)
      continue;
    if (i < 4 && walkable_slope(plane.hit_normal))
      climb_slope(p, probe, plane, &lifted);
    else if (distance >= min_wall_distance)
      meet_wall(p, root, probe, plane);
  }

  // The probes are not taken again after a slide or a step: the motion
  // uses velocity and acceleration as they now are.
  for (int i = 0; i < 3; ++i) p.pos[i] += p.vel[i] * dt + 0.5 * p.accel[i] * dt * dt;
}
