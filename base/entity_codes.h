// Entity type codes and enemy states.
#pragma once

#include <cstdint>

// Type codes; the ranges choose the update (200-299 enemies, 300-399
// projectiles, 400 and above pickups).
enum {
  ent_marked_for_removal = -1,
  ent_stopped_teleport_orb = -2,
  ent_list_head = 0,
  player_start = 1,
  ent_exit = 2,
  ent_prop1 = 100,
  ent_prop2 = 101,
  ent_worker = 200,
  ent_mob2 = 201,
  ent_mob3 = 202,
  ent_mob4 = 203,
  ent_mob5 = 204,
  ent_mob6 = 205,
  ent_mob7 = 206,
  ent_mob8 = 207,
  ent_mob9 = 208,
  ent_mob10 = 209,
  ent_mob13 = 210,
  ent_mob14 = 211,
  ent_boss1 = 212,
  ent_boss2 = 213,
  ent_shot_a = 300,
  ent_shot_b = 301,
  ent_teleport_orb = 302,
  ent_homing_shot = 303,
  ent_player_shot_a = 304,
  ent_shot_c = 305,
  ent_player_shot_b = 306,
  ent_boss_shot = 307,
  ent_spawn_shot = 308,
  ent_magazine = 400,
  ent_shells = 401,
  ent_energy_cells = 402,
  ent_lbbus_cell = 403,
  ent_morphine = 410,
  ent_mouse = 420,
};

// The kinds of entity the type code ranges stand for.
constexpr bool is_prop(int32_t type) { return type >= 100 && type <= 199; }
constexpr bool is_enemy(int32_t type) { return type >= 200 && type <= 299; }
constexpr bool is_projectile(int32_t type) { return type >= 300 && type <= 399; }
constexpr bool is_pickup(int32_t type) { return type >= 400; }

// Enemy states.
enum {
  s_idle = 1,
  s_chase = 2,
  s_get_path = 3,
  s_follow_path = 4,
  s_go_to_node = 5,
  s_pain = 6,
  s_dying = 7,
  s_dead = 8,
  s_aim = 9,
  s_fire = 10,
  s_revive = 11,
};
