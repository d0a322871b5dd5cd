// What a replay checks against its recording: a digest of the game state
// after every tick, and the line that sums up where the replay ended.
#pragma once
#include <cstddef>
#include <cstdint>

struct entity;
struct player;

// A digest of everything a tick changes that play depends on: the
// player's position, motion, view, health, guns and counters, and every
// entity's type, state, health, animation, position, motion and aim, in
// list order. Equal states give equal digests; a replay that parts from
// its recording changes it in the tick where it parts.
uint64_t demo_state_digest(const player& p, const entity* entity_list);

// Writes "demo end: tick T pos X Y Z health H score S kills K" (position
// with three decimals, no line end) into `out`.
void demo_end_line(char* out, size_t size, int32_t tick, const player& p);
