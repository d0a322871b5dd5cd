// The player's projectiles and the close strike.
#include "entities/player_weapons_projectile.h"

#include <cmath>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entity_list.h"
#include "entities/player_weapons_table.h"

namespace {

constexpr double degrees_to_radians = 3.14159265358979323846 / 180.0;
// Degrees of pitch to units a second of climb.
constexpr double climb_per_degree = player_projectile_speed / 40.0;

}  // namespace

entity* player_projectile(int32_t type, entity* entity_list, const double position[3], double pitch,
                          double yaw) {
  if (!entity_list) return nullptr;
  const double a = -(yaw + 90.0) * degrees_to_radians;
  // Pitch runs 0..90 up and 270..360 down; as a signed number of degrees it
  // sets the climb directly.
  const double signed_pitch = pitch > 90.0 ? pitch - 360.0 : pitch;

  entity* shot = entity_append(type, entity_list);
  shot->vel[0] = player_projectile_speed * std::cos(a);
  shot->vel[1] = signed_pitch * climb_per_degree;
  shot->vel[2] = player_projectile_speed * std::sin(a);
  shot->pos[0] = position[0];
  shot->pos[1] = position[1] + player_projectile_height;
  shot->pos[2] = position[2];
  shot->id = player_projectile_id;

  // The horizontal speed is never 0, so the length is not either.
  const double length =
      std::sqrt(shot->vel[0] * shot->vel[0] + shot->vel[1] * shot->vel[1] + shot->vel[2] * shot->vel[2]);
  for (int k = 0; k < 3; ++k) shot->pos[k] += shot->vel[k] / length;
  return shot;
}

void melee_strike(entity* entity_list, const double position[3]) {
  for (entity* e = entity_list; e; e = e->next) {
    if (!is_enemy(e->type)) continue;
    const double dx = e->pos[0] - position[0];
    const double dz = e->pos[2] - position[2];
    if (std::sqrt(dx * dx + dz * dz) >= strike_reach) continue;
    e->health -= strike_damage;
    if (e->health > 0) {
      e->frame = s_pain;
      e->state = s_pain;
      e->sound_event = 1;
    }
  }
}
