// Gravity and landing.
#pragma once

struct bsp_node;
struct player;

// Tests four probes at the corners of the box 0.25 under the feet, moved
// by this tick's fall. When any is in solid the player lands (vertical
// speed 0, jump_time 0, on_ground 1) without moving; otherwise it falls
// (gravity 30) and moves by the tick's velocity again, horizontally too.
// Called by player_update after the wall pass while not jumping.
void player_fall(player& p, const bsp_node* root, double dt);
