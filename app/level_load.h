// Turning one map file into a running level.
#pragma once

struct ai_node;
struct bsp_node;
struct config_table;
struct entity;
struct player;
struct texture_table;

// Reads the map file at `map_path` (relative to the current directory):
// resets the player with player_init while carrying kills, score, mice and
// level_number over (the first three also become the level-start copies),
// then reads the navigation nodes, the entities (appended behind the head
// `entity_list`), the world textures (paths relative to data/textures/world)
// and the tree into a new `bsp_root`, and gives the enemies their sound
// sources. False when the file cannot be opened or is rejected: a line
// names the file and the problem, and everything the load made is freed
// (entity_list back to its bare head, bsp_root, ai_node_list and the
// table's world_textures null), so the caller stays in the menus.
bool load_level(const char* map_path, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                ai_node*& ai_node_list, player& p, const config_table& config);
