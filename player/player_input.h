// The player's keyboard controls: crouch, guns, key look, reload, jump, move keys.
#pragma once

struct key_state;
struct player;

// Reads the bound keys: crouch while held, the gun keys (not while
// reloading), turning by 120 x look_key_speed degrees a second per turn
// key, the reload key and the reload clock, the jump window (thrust 48
// upward for up to 0.15 s of holding, counted from the last landing) and
// the four move keys through player_push. Called by player_update while health > 0.
void player_input(player& p, const key_state& keys, double dt);
