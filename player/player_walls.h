// The player's collision against walls: step up, slide, unstick.
#pragma once

struct bsp_node;
struct player;

// Probes the eight corners of the player's box (at the feet and 2.25 above)
// from pos toward where this tick's motion would take it. A corner that ends
// in solid, behind a wall at least 0.25 away, raises the player by 1.01
// when the way one unit higher is clear, or else takes the wall's normal
// component out of velocity and acceleration. A feet corner that ends under
// a slanted floor of at most 45 degrees instead raises the player until the
// corner stands on it, so ramps are walked up. Then moves the player. When
// pos itself is in solid the player is nudged by 0.25 and the pass starts
// again, at most three times (depth 0 to 3). Called by player_update with
// depth 0.
void player_walls(player& p, const bsp_node* root, double dt, int depth);
