// Turning the player's view by the mouse, and the trigger.
#pragma once

struct key_state;
struct mouse_state;
struct player;

// Turns yaw and pitch by the tick's mouse motion times the mouse speeds
// (not scaled by dt), wraps both once into 0..360 and keeps pitch out of
// the two ranges that would look past straight up or down: 90 to 180
// becomes 90, 180 to 270 becomes 270; then, while the player lives, sets
// the trigger of the gun in hand and runs its fire clock. Called by
// player_update every tick, alive or dead.
void player_look(player& p, const key_state& keys, double dt, const mouse_state& mouse);
