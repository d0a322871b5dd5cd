// One tick of a projectile: flight, homing, hits, walls and age.
#pragma once

struct bsp_node;
struct entity;
struct player;

// Moves projectile q (types 300-399) one tick. Enemy shots that come within
// 5.0 of the player's eye are tested against its hit box (1.0 wide, 1.5
// high each side): a hit takes 30 health (scaled by the player's skill) and stops the player. The player's
// shots hurt the first living enemy within 3.0 of its centre (10.0 for a
// boss). A wall ends any shot; a teleport orb that stops (wall, or 5 s)
// hands its place to its thrower; a spawn shot hatches into a mob2 when its
// hatch time has passed. Finished shots are marked for the prune pass.
void projectile_update(entity& q, player& p, const bsp_node* root, entity* list, double dt);
