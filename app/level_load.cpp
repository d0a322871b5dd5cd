// Turning one map file into a running level.
#include "app/level_load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/texture_table.h"
#include "audio/entity_sources.h"
#include "audio/sound_source.h"
#include "entities/entity.h"
#include "entities/entity_list_free.h"
#include "platform/directory.h"
#include "player/player.h"
#include "world/ai_nodes_read.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/entities_read.h"
#include "world/level_lists_free.h"
#include "world/map_read_node.h"
#include "world/map_stream.h"
#include "world/world_textures_read.h"

namespace {

constexpr int directory_size = 260;

// A fresh player that keeps the campaign's counters.
void reset_player(player& p, const config_table& config) {
  int32_t kills = p.kills;
  int32_t score = p.score;
  int32_t mice = p.mice;
  int32_t level_number = p.level_number;
  delete_sound_source(p.sound_source);
  p = player{};
  player_init(p, config);
  p.kills = p.kills_at_level_start = kills;
  p.score = p.score_at_level_start = score;
  p.mice = p.mice_at_level_start = mice;
  p.level_number = level_number;
}

// The four sections, in file order. Returns false when the file is rejected.
bool read_sections(map_stream& s, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
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
  return !s.failed;
}

// Frees whatever the sections made, so a rejected file leaves nothing
// behind but the bare list head.
void discard_level(entity* entity_list, texture_table& textures, bsp_node*& bsp_root, ai_node*& ai_node_list) {
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

bool load_level(const char* map_path, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                ai_node*& ai_node_list, player& p, const config_table& config) {
  char directory[directory_size];
  platform_get_current_directory(directory, sizeof directory);
  errno = 0;
  FILE* file = fopen(map_path, "r");
  map_stream s = map_stream_over(file, map_path);
  if (!file) {
    map_reject(s, "the file cannot be opened (%s)", strerror(errno));
    return false;
  }
  if (!platform_set_current_directory("data/textures/world"))
    printf("map \"%s\": there is no data/textures/world; its world textures will not load\n", map_path);

  reset_player(p, config);
  bool ok = read_sections(s, entity_list, textures, bsp_root, ai_node_list);
  if (ok)
    give_entity_sources(entity_list);
  else
    discard_level(entity_list, textures, bsp_root, ai_node_list);

  fclose(file);
  if (directory[0]) platform_set_current_directory(directory);
  return ok;
}
