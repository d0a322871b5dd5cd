// Releasing the level's navigation nodes and world-texture list.
#pragma once

struct ai_node;
struct world_texture;

// Frees every node from `first` along `next`, with its link arrays.
void ai_nodes_free(ai_node* first);

// Deletes the GL texture of every entry of the list that holds `first`
// (entries before it included) and frees the entries.
void world_textures_free(world_texture* first);
