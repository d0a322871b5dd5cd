// What sets the enemy kinds apart: score on death and walking speed.
#pragma once
#include <cstdint>

#include "base/entity_codes.h"

struct enemy_kind {
  int32_t type;
  int32_t score;  // added to the player's score when it dies
  double speed;   // walking speed, units per second
};

// The fourteen kinds; any other code of 200-299 walks and scores as
// generic_enemy_kind.
constexpr enemy_kind enemy_kinds[] = {
    {ent_worker, -100, 6.0},  {ent_mob2, 200, 4.0},    {ent_mob3, 100, 6.0},  {ent_mob4, 500, 4.0},
    {ent_mob5, 250, 10.0},    {ent_mob6, 100, 6.0},    {ent_mob7, 300, 6.0},  {ent_mob8, 250, 4.0},
    {ent_mob9, 300, 10.0},    {ent_mob10, 2000, 4.0},  {ent_mob13, 200, 4.0}, {ent_mob14, 250, 4.0},
    {ent_boss1, 10000, 15.0}, {ent_boss2, 10000, 4.0},
};

constexpr enemy_kind generic_enemy_kind = {0, 100, 4.0};

// The row of `type`, or generic_enemy_kind for a code without one.
constexpr const enemy_kind& enemy_kind_of(int32_t type) {
  for (const enemy_kind& k : enemy_kinds)
    if (k.type == type) return k;
  return generic_enemy_kind;
}

// The two bosses share their push and their large projectiles.
constexpr bool is_boss(int32_t type) { return type == ent_boss1 || type == ent_boss2; }
