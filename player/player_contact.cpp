// Slowing the player down next to enemies and decorations.
#include "player/player_contact.h"

#include <cmath>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "player/player.h"

namespace {

constexpr double contact_distance = 1.5;
constexpr double contact_factor = 0.25;

bool slows_the_player(const entity& e, const double pos[3]) {
  if (!(is_prop(e.type) || is_enemy(e.type)) || e.state == s_dead) return false;
  double dx = e.pos[0] - pos[0], dy = e.pos[1] - pos[1], dz = e.pos[2] - pos[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz) < contact_distance;
}

}  // namespace

void player_contact_slowdown(player& p, const entity* entity_list) {
  for (const entity* e = entity_list; e; e = e->next) {
    if (!slows_the_player(*e, p.pos)) continue;
    for (double& a : p.accel) a *= contact_factor;
  }
}
