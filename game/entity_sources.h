// The enemies' positional sources: given at level load, deleted with the entities.
#pragma once

struct entity;

// Walks the list from `first` through `next` and gives every entity of type
// 200 or more (the enemies, and whatever else of those types the level file
// holds) a new source in `sound_source`. An entity that
// already holds one keeps it. Called at start-up on the bare list head and by
// the level load once the entities are read; entities made later get none.
void give_entity_sources(entity* first);

// Deletes the source of every entity from `first` on and sets it to 0, so
// the list can then be freed. Called by the level unload and at shutdown.
void delete_entity_sources(entity* first);
