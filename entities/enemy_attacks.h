// How each enemy kind shoots: aim time, volley per weapon phase, burst length.
#pragma once
#include <cstdint>

#include "base/entity_codes.h"

// A volley is either one instant shot or projectiles of one type.
constexpr int32_t volley_instant = 0;
// No burst: the burst count goes back to 0 after every volley.
constexpr int32_t no_burst = -1;

struct enemy_attack {
  int32_t type;
  double aim_time;          // seconds in s_aim before the shot
  int32_t volley[2];        // per phase: volley_instant or a projectile type
  int32_t burst_limit[2];   // per phase: volleys past the first in one burst, or no_burst
  bool stays_in_fire;       // fires again from s_fire instead of aiming anew
  bool turns_while_aiming;  // turns its sprite toward the player in s_aim
  int32_t instant_damage;   // hit points an instant shot takes from the player
};

// The bosses aim for a twelfth of the usual 0.6 s.
constexpr double boss_aim_time = 0.6 / 12.0;

constexpr enemy_attack enemy_attacks[] = {
    {ent_mob2, 0.6, {ent_shot_b, ent_shot_b}, {2, 2}, true, true, 10},
    {ent_mob3, 0.6, {volley_instant, volley_instant}, {2, 2}, true, false, 10},
    {ent_mob4, 0.6, {ent_shot_a, ent_shot_a}, {no_burst, no_burst}, false, true, 10},
    {ent_mob5, 0.6, {volley_instant, volley_instant}, {2, 2}, false, true, 10},
    {ent_mob6, 0.6, {ent_shot_b, ent_shot_b}, {2, 2}, true, false, 10},
    {ent_mob7, 0.6, {ent_homing_shot, ent_homing_shot}, {no_burst, no_burst}, false, false, 10},
    {ent_mob8, 0.6, {ent_shot_a, ent_shot_a}, {no_burst, no_burst}, false, false, 10},
    {ent_mob9, 0.6, {volley_instant, volley_instant}, {no_burst, no_burst}, false, false, 40},
    {ent_mob10, 0.19999999999999998, {ent_homing_shot, ent_shot_c}, {1, 2}, false, true, 10},
    {ent_mob13, 0.19999999999999998, {ent_shot_c, ent_shot_c}, {4, 4}, true, true, 10},
    {ent_mob14, 0.6, {ent_shot_c, ent_shot_c}, {no_burst, no_burst}, false, true, 10},
    {ent_boss1, boss_aim_time, {ent_boss_shot, ent_boss_shot}, {12, 12}, false, true, 10},
    {ent_boss2, boss_aim_time, {ent_boss_shot, ent_spawn_shot}, {12, 12}, false, false, 10},
};

// The worker and any code without a row: an instant shot after 0.6 s, no burst.
constexpr enemy_attack generic_enemy_attack = {
    0, 0.6, {volley_instant, volley_instant}, {no_burst, no_burst}, false, false, 10};

constexpr const enemy_attack& enemy_attack_of(int32_t type) {
  for (const enemy_attack& a : enemy_attacks)
    if (a.type == type) return a;
  return generic_enemy_attack;
}

// Beyond this distance (feet to feet) an enemy whose burst is over goes
// back to chasing.
constexpr double fire_range(int32_t type) { return type == ent_boss1 || type == ent_boss2 ? 25.0 : 5.0; }

// The three kinds with two weapon phases, flipped at the end of each burst.
constexpr bool has_weapon_phases(int32_t type) {
  return type == ent_mob10 || type == ent_boss1 || type == ent_boss2;
}
