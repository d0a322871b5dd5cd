// Growing and pruning the entity list.
#pragma once
#include <cstdint>

struct entity;

// Walks `next` from `any` to the tail and links a new zero-filled entity of
// `type` after it; returns it. The caller fills in position, velocity and
// id. Used to spawn projectiles: the new entity is first updated next tick.
entity* entity_append(int32_t type, entity* any);

// Run once per tick after the entity walk. A stopped teleport orb (type -2)
// moves the first entity carrying its id that is not an orb (possibly the
// orb itself) to its position, in s_chase with ai_flag 0, and is then
// removed; every entity of type -1 is unlinked and freed (with its path).
// The head is never removed.
void entities_prune(entity* head);
