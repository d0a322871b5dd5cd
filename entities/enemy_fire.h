// An enemy's volleys: projectile patterns and the instant shot.
#pragma once
#include <cstdint>

struct bsp_node;
struct entity;
struct player;

// Spawns one volley of projectiles of `type` from `shooter` at the player
// standing at `player_pos`: a fan of five (mob4, mob10 in phase 1, mob14,
// the bosses in phase 0), three (mob8, boss1 in phase 1) or a single shot
// (everyone else). The shots carry the shooter's id and are appended at the
// tail of the list, so they first move on the next tick.
void enemy_fire(int32_t type, entity& shooter, const double player_pos[3]);

// One instant shot along the shooter's aim_angle, if it can see the player:
// the player's hit box (1.5 wide, 1.0 high each side) is tested, and a hit
// takes `damage` health, scaled by the player's skill, and halves the player's velocity. The shot's far
// end is kept in aim_end for the debug overlay.
void enemy_hitscan(entity& shooter, player& p, const bsp_node* root, int32_t damage);
