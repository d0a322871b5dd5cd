// Reading a whole map file: its four sections in order.
#include "app/map_read_level.h"

#include <cstdio>

#include "base/entity.h"
#include "base/texture_table.h"
#include "entities/entities_read.h"
#include "entities/entity_list_free.h"
#include "world/ai_nodes_read.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"
#include "world/map_read_node.h"
#include "world/map_stream.h"
#include "world/world_textures_read.h"

namespace {

// Frees whatever the sections made, so a rejected file leaves nothing
// behind but the bare list head.
void discard_level(entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                   ai_node*& ai_node_list) {
  if (entity_list) {
    entity_list_free(entity_list->next);
    entity_list->next = nullptr;
  }
  world_textures_free(textures.world_textures);
  textures.world_textures = nullptr;
  bsp_free(bsp_root);
  bsp_root = nullptr;
  ai_nodes_free(ai_node_list);
  ai_node_list = nullptr;
}

}  // namespace

bool map_read_level(map_stream& s, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                    ai_node*& ai_node_list) {
  ai_nodes_free(ai_node_list);
  ai_node_list = ai_nodes_read(s);
  ai_nodes_link(ai_node_list);
  printf("reading elist..\n");
  entities_read(s, entity_list);
  world_textures_read(s, textures, nullptr);
  // The previous root (the empty one made at start-up) is replaced.
  bsp_free(bsp_root);
  bsp_root = new bsp_node{};
  map_read_node(s, bsp_root, textures);
  if (s.failed) discard_level(entity_list, textures, bsp_root, ai_node_list);
  return !s.failed;
}
