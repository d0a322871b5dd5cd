// Growing and pruning the entity list.
#pragma once
#include <cstdint>

struct entity;

// Walks `next` from `any` to the tail and links a new zero-filled entity of
// `type` after it; returns it. The caller fills in position, velocity and
// id. Used to spawn projectiles: the new entity is first updated next tick.
entity* entity_append(int32_t type, entity* any);

// Takes `e` out of its list: its predecessor's `next` becomes e's `next`,
// and that entry's `prev` e's predecessor. `e` must not be the head.
void entity_unlink(entity* e);

// Frees one entity that is no longer linked: its path array, its sound
// source when it holds one (entities of the level file of type 200 and more
// got one at load), then the record. Used by the prune pass and by a touched
// pickup.
void entity_free(entity* e);

// Run once per tick after the entity walk. A stopped teleport orb (type -2)
// moves the first entity carrying its id that is not an orb (possibly the
// orb itself) to its position, in s_chase with ai_flag 0, unless that owner
// is dying or dead, and is then removed; every entity of type -1 is
// unlinked and freed (with its path and sound source).
// The head is never removed.
void entities_prune(entity* head);
