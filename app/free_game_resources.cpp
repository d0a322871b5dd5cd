// Releasing what a loaded level holds at shutdown.
#include "app/free_game_resources.h"

#include "app/game_state.h"
#include "entities/entity_list_free.h"
#include "game/entity_sources.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"

void free_game_resources(game_state& gs) {
  delete gs.keys;
  gs.keys = nullptr;
  bsp_free(gs.bsp_root);
  gs.bsp_root = nullptr;
  world_textures_free(gs.textures.world_textures);
  gs.textures.world_textures = nullptr;
  delete_entity_sources(gs.entity_list);
  entity_list_free(gs.entity_list);
  gs.entity_list = nullptr;
  ai_nodes_free(gs.ai_node_list);
  gs.ai_node_list = nullptr;
}
