// The player's projectiles and the close strike.
#pragma once
#include <cstdint>

struct entity;

// Appends a projectile of `type` (ent_player_shot_a or ent_player_shot_b,
// id -100) at the tail of the list, flying at 35 units a second along `yaw`
// (degrees) with a climb of pitch x 35 / 40 (pitch taken from -90 to 90),
// starting one unit along its flight from 1.75 above `position`. Its flight
// and hits are projectile_update's. Returns it, or null without a list.
// Called by weapon_step for guns 2 and 3.
entity* player_projectile(int32_t type, entity* entity_list, const double position[3], double pitch,
                          double yaw);

// Every enemy whose feet lie within 3.0 of `position` across the floor, in
// any state, through walls and at any height, loses 70 health; one that
// survives cries out and flinches. Called by weapon_step for gun 4.
void melee_strike(entity* entity_list, const double position[3]);
