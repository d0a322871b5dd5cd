// The sounds of one tick: the player's shot, then the entities' events.
#pragma once
#include <cstdint>

#include "audio/sound_table.h"

struct entity;
struct player;

// The buffer of the player's gun `current_gun` (0 gun 1, 1 gun 2, 2 to 4 gun
// lazer; 0 for any other number).
uint32_t player_shot_buffer(const sound_table& table, int32_t current_gun);

// The buffer an entity of `type` plays for `sound_event` (1 pain, 2 shot);
// 0 for any other event.
uint32_t entity_sound_buffer(const sound_table& table, int32_t type, int32_t sound_event);

// The point (x, z) as heard by a listener at the origin looking along -z:
// its offset from the player, turned by the player's heading `yaw_degrees`.
void listener_offset(double x, double z, const double player_pos[3], double yaw_degrees, double* out_x,
                     double* out_z);

// Plays the player's shot when the weapon asked for it (request 2), at the
// listener with a quarter of an enemy's gain, then clears the request.
// Called once per tick after the frame is drawn.
void player_sounds(player& p, sound_table& table);

// Plays every pending entity sound from the first entity to the last, each
// from its own source placed around the listener as heard by the player,
// and clears the events. Called once per tick right after player_sounds.
void entity_sounds(entity* first, sound_table& table, const player& p);
