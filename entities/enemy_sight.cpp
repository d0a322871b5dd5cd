// Sight lines, distances and turning shared by the enemy states and the shots.
#include "entities/enemy_sight.h"

#include <cmath>

#include "base/entity.h"
#include "player/player.h"
#include "world/bsp_query.h"

namespace {

constexpr double turn_step = 0.5235987755982988;  // 30 degrees

}  // namespace

bool segment_clear(const double a[3], const double b[3], const bsp_node* root) {
  return bsp_segment_clear(a, b, root) == 1;
}

bool enemy_sees_player(const entity& e, const player& p, const bsp_node* root) {
  const double eye[3] = {e.pos[0], e.pos[1] + enemy_eye_height, e.pos[2]};
  const double target[3] = {p.pos[0], p.pos[1] + player_eye_height, p.pos[2]};
  return segment_clear(eye, target, root);
}

double distance3(const double a[3], const double b[3]) {
  const double dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void turn_facing_toward(double& facing, double look) {
  if (std::fabs(facing - look) <= turn_step)
    facing = look;
  else if (facing > look)
    facing -= turn_step;
  else
    facing += turn_step;
}
