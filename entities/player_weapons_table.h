// The fixed properties of the player's five guns.
#pragma once

#include "player/gun.h"

// What one pull of the trigger does.
enum gun_shot_kind {
  gun_shot_instant,  // one instant shot along the view
  gun_shot_pellets,  // a fan of instant pellets
  gun_shot_energy,   // one ent_player_shot_a
  gun_shot_fan,      // a fan of ent_player_shot_b
  gun_shot_strike,   // the close strike around the player
};

struct gun_properties {
  gun_shot_kind shot;
  int rounds_per_shot;    // 0: the gun never runs out
  int reload_capacity;    // what a reload puts in the gun at most
  double reload_time;     // seconds a reload or recovery takes
  int reloads_by_key;     // 1 when the reload key starts a reload
  int reloads_by_itself;  // 1 when every shot is followed by a reload
  int shots;              // pellets or projectiles per pull
  double first_yaw;       // degrees added to the view's yaw for the first one
  double yaw_step;        // degrees between neighbours
};

// The pellets fan out 4 degrees apart, centred on the view; the five energy
// balls leave from 10 degrees right of the view to 6 degrees left of it.
constexpr gun_properties gun_table[gun_count] = {
    {gun_shot_instant, 1, 60, 2.0, 1, 0, 1, 0.0, 0.0},    // 0: automatic gun
    {gun_shot_pellets, 2, 2, 1.2, 0, 1, 15, -28.0, 4.0},  // 1: shotgun
    {gun_shot_energy, 1, 40, 2.0, 1, 0, 1, 0.0, 0.0},     // 2: energy gun
    {gun_shot_fan, 1, 10, 2.0, 1, 0, 5, -10.0, 4.0},      // 3: fan of energy balls
    {gun_shot_strike, 0, 0, 0.25, 0, 1, 1, 0.0, 0.0},     // 4: close strike
};

// The gun that has no ammunition to lose and can always be chosen.
constexpr int strike_gun = 4;

// Hit points one close strike removes from each enemy in reach.
constexpr int strike_damage = 70;
// Horizontal reach of the close strike around the player's feet.
constexpr double strike_reach = 3.0;
// Speed of the player's projectiles, and the height above the feet they
// start from (one unit further along their flight).
constexpr double player_projectile_speed = 35.0;
constexpr double player_projectile_height = 1.75;
// The id every projectile of the player carries.
constexpr int player_projectile_id = -100;
