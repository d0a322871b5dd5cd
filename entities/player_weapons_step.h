// Firing the gun in hand: the weapon step of the player's tick.
#pragma once

struct bsp_node;
struct entity;
struct player;

// Fires the gun in hand when its trigger is set, the player is not
// reloading, its fire clock reads exactly 0 and it holds ammunition: asks
// for the shot sound, takes the rounds and lets the shot go (an instant
// shot, fifteen pellets followed by the shotgun's own reload, an energy
// ball, a fan of five, or the close strike, which is silent and followed by
// its recovery). It does not look at health: a trigger frozen down by death
// keeps firing. Called by player_update after the fall pass.
void weapon_step(player& p, entity* entity_list, const bsp_node* root);
