// Releasing what a loaded level holds at shutdown.
#pragma once

struct game_state;

// Releases key_state, the tree, the world textures, the entity list and the
// navigation nodes, and leaves their pointers null. Called at shutdown.
void free_game_resources(game_state& gs);
