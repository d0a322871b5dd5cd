// Firing the gun in hand: the weapon step of the player's tick.
#include "entities/player_weapons_step.h"

#include "base/entity_codes.h"
#include "entities/player_weapons_hitscan.h"
#include "entities/player_weapons_projectile.h"
#include "entities/player_weapons_table.h"
#include "player/player.h"

namespace {

// The value of shot_sound_request that makes the sound pass play the gun.
constexpr int shot_sound = 2;

bool ready_to_fire(const player& p, const gun& g, const gun_properties& kind) {
  if (!g.trigger || p.reloading || g.fire_timer != 0.0) return false;
  // A gun that takes two rounds a shot does not fire its last odd one.
  return g.loaded > 0 && g.loaded >= kind.rounds_per_shot;
}

void fan_of_pellets(player& p, entity* entity_list, const bsp_node* root, const gun_properties& kind) {
  for (int i = 0; i < kind.shots; ++i)
    player_hitscan(p, entity_list, root, i, p.yaw + kind.first_yaw + kind.yaw_step * i);
}

void fan_of_projectiles(player& p, entity* entity_list, int type, const gun_properties& kind) {
  for (int i = 0; i < kind.shots; ++i)
    player_projectile(type, entity_list, p.pos, p.pitch, p.yaw + kind.first_yaw + kind.yaw_step * i);
}

}  // namespace

void weapon_step(player& p, entity* entity_list, const bsp_node* root) {
  if (p.current_gun < 0 || p.current_gun >= gun_count) return;
  gun& g = p.guns[p.current_gun];
  const gun_properties& kind = gun_table[p.current_gun];
  if (!ready_to_fire(p, g, kind)) return;

  p.shot_sound_request = shot_sound;
  g.loaded -= kind.rounds_per_shot;

  switch (kind.shot) {
    case gun_shot_instant:
      player_hitscan(p, entity_list, root, 0, p.yaw);
      break;
    case gun_shot_pellets:
      fan_of_pellets(p, entity_list, root, kind);
      break;
    case gun_shot_energy:
      player_projectile(ent_player_shot_a, entity_list, p.pos, p.pitch, p.yaw);
      break;
    case gun_shot_fan:
      fan_of_projectiles(p, entity_list, ent_player_shot_b, kind);
      break;
    case gun_shot_strike:
      melee_strike(entity_list, p.pos);
      p.shot_sound_request = 0;  // a strike makes no gun sound
      break;
  }
  if (kind.reloads_by_itself) p.reloading = 1;
}
