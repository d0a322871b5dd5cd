// The player's gun controls: trigger and fire clock, gun choice, reload.
#pragma once
#include <cstdint>

struct key_state;
struct mouse_state;
struct player;

// Sets the trigger of the gun in hand (left button or the fire key down, and
// not reloading) and runs its fire clock: a fresh press sets the clock to 0,
// a held trigger sets it back to 0 each time it passes the gun's interval;
// a shot leaves only on a tick whose clock reads 0. While reloading with the
// trigger off the clock runs on as the reload animation's clock. Called at
// the end of player_look while the player lives.
void trigger_update(player& p, const key_state& keys, const mouse_state& mouse, double dt);

// The gun keys 1 to 4 choose guns 0 to 3 when they hold ammunition, key 5
// the strike; next gun steps up and previous gun steps down to the nearest
// gun with ammunition, stopping at the last and the first gun. Called by
// player_input while not reloading.
void gun_choice(player& p, const key_state& keys);

// Starts a reload when the reload key's state `key` is non-zero (not for the
// shotgun or the strike, which reload by themselves) and runs the reload
// clock; when the gun's reload time has passed, moves rounds from the
// reserve into the gun up to its reload capacity. Called by player_input
// after the key look.
void reload_step(player& p, int32_t key, double dt);
