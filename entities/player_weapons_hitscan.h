// The player's instant shots: the automatic gun's bullet and the shotgun's pellets.
#pragma once

struct bsp_node;
struct entity;
struct player;

// Length of an instant shot from the player's eye.
constexpr double player_shot_length = 1000.0;

// Tests one shot of the gun in hand, along the view pitched by `pitch` and
// turned to `shot_yaw` (degrees), against `first` and every entity after it;
// one shot can hit several enemies. A living enemy the eye can see is hit
// when the shot crosses its hit box; it loses the gun's damage, and while it
// survives it cries out and flinches. Hit marker `pellet` (0 to 14) shows
// where the shot struck. The shotgun scatters each pellet's pitch by -3 to
// +2 degrees, drawn anew for every enemy tested. Called by weapon_step.
void player_hitscan(player& p, entity* first, const bsp_node* root, int pellet, double shot_yaw);
