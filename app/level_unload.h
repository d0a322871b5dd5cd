// Releasing a level and setting up the screen that follows it.
#pragma once

struct ai_node;
struct bsp_node;
struct entity;
struct menu_state;
struct player;
struct texture_table;

// Frees the world textures, the entities (sources first), the navigation
// nodes and the tree, logging "pass1" to "pass5", then makes a new bare list
// head and leaves the other pointers null. The menus come back: with
// level_done_flag set, the level-complete screen (the counters are
// committed as the next level's start, the flag cleared); otherwise the
// death screen (the counters go back to the level's start). Ends with the
// 2-D screens' projection. Called when a level is left.
void unload_level(player& p, bsp_node*& bsp_root, texture_table& textures, entity*& entity_list,
                  ai_node*& ai_node_list, menu_state& menu);
