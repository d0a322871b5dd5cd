// Turning one map file into a running level.
#include "app/level_load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/map_read_level.h"
#include "audio/sound_source.h"
#include "game/entity_sources.h"
#include "platform/directory.h"
#include "player/player.h"
#include "world/map_stream.h"

namespace {

// Room for any path Linux gives (the Win32 limit of 260 would strand the
// game in the texture directory when it cannot be read back).
constexpr int directory_size = 4096;

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

}  // namespace

bool load_level(const char* map_path, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                ai_node*& ai_node_list, player& p, const config_table& config) {
  char directory[directory_size];
  bool have_directory = platform_get_current_directory(directory, sizeof directory);
  errno = 0;
  FILE* file = fopen(map_path, "r");
  map_stream s = map_stream_over(file, map_path);
  if (!file) {
    map_reject(s, "the file cannot be opened (%s)", strerror(errno));
    return false;
  }
  if (!have_directory)
    printf("map \"%s\": the current directory cannot be read; world textures load from it\n", map_path);
  else if (!platform_set_current_directory("data/textures/world"))
    printf("map \"%s\": there is no data/textures/world; its world textures will not load\n", map_path);

  reset_player(p, config);
  bool ok = map_read_level(s, entity_list, textures, bsp_root, ai_node_list);
  if (ok) give_entity_sources(entity_list);

  fclose(file);
  if (have_directory) platform_set_current_directory(directory);
  return ok;
}
