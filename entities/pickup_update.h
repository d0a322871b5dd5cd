// Items on the floor: ammunition, morphine and mice, taken by walking over them.
#pragma once

struct entity;
struct player;

// Distance from an item to the player's feet (all three axes) below which
// the item is taken.
constexpr double pickup_touch_distance = 2.0;

// One item's tick. When the player's feet are closer than
// pickup_touch_distance it prints "pickup?", applies the item's effect to
// the player, posts its message for the HUD (the message's age is left
// running) and takes the item out of the list and frees it at once, sound
// source included. A dead player takes nothing. Called by entities_update
// for every entity of type 400 and above; the walk has already passed every
// entry behind the item, so freeing it here is safe.
void pickup_update(entity* item, player& p);
