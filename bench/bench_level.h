// A compiled level loaded as the game loads it, for the benchmarks: an
// off-screen window and GL context for its textures, the loader's log sent
// to /dev/null, the player on the first start.
#pragma once
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/level_load.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "config/config_table.h"
#include "entities/entity_list_free.h"
#include "platform/window.h"
#include "player/player.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"

// The generated data's maps folder: TARVO_DATA_DIR, else ./data, else ../data.
inline std::string bench_maps_dir() {
  const char* data = getenv("TARVO_DATA_DIR");
  for (std::string dir : {std::string(data ? data : ""), std::string("data"), std::string("../data")}) {
    if (dir.empty()) continue;
    if (access((dir + "/maps").c_str(), R_OK) == 0) return dir + "/maps";
  }
  return "";
}

// data/maps/NAME.t3bsp, or "" when it is not there.
inline std::string bench_map_path(const std::string& name) {
  std::string path = bench_maps_dir() + "/" + name + ".t3bsp";
  return access(path.c_str(), R_OK) == 0 ? path : "";
}

// The largest map file (the campaign's biggest level), or "" when none.
inline std::string bench_largest_map() {
  std::string maps = bench_maps_dir(), best;
  DIR* d = maps.empty() ? nullptr : opendir(maps.c_str());
  if (!d) return "";
  off_t best_size = -1;
  while (dirent* f = readdir(d)) {
    std::string name = f->d_name;
    if (name.size() < 7 || name.compare(name.size() - 6, 6, ".t3bsp") != 0) continue;
    struct stat st {};
    std::string path = maps + "/" + name;
    if (stat(path.c_str(), &st) == 0 && st.st_size > best_size) {
      best_size = st.st_size;
      best = path;
    }
  }
  closedir(d);
  return best;
}

struct bench_level {
  platform_window* window = nullptr;
  config_table config{};
  texture_table textures{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;
  player the_player{};
  bool ok = false;

  explicit bench_level(const std::string& path) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (path.empty() || !platform_init()) return;
    window = platform_create_window("bench", 64, 64, false, true);
    if (!window || !platform_create_gl_context(window)) return;
    set_config_defaults(config);
    player_init(the_player, config);
    entity_list = entity_list_new_head();
    fflush(stdout);
    int saved_stdout = dup(STDOUT_FILENO);
    FILE* sink = fopen("/dev/null", "w");
    if (sink) dup2(fileno(sink), STDOUT_FILENO);
    ok = load_level(path.c_str(), entity_list, textures, bsp_root, ai_node_list, the_player, config);
    fflush(stdout);
    if (saved_stdout >= 0) {
      dup2(saved_stdout, STDOUT_FILENO);
      close(saved_stdout);
    }
    if (sink) fclose(sink);
    for (const entity* e = entity_list; e; e = e->next)
      if (e->type == 1) {
        for (int i = 0; i < 3; ++i) the_player.pos[i] = e->pos[i];
        break;
      }
  }
  ~bench_level() {
    bsp_free(bsp_root);
    world_textures_free(textures.world_textures);
    entity_list_free(entity_list);
    ai_nodes_free(ai_node_list);
    if (window) platform_destroy_window(window);
    platform_quit();
  }
  // The first entity of `type`, or null.
  entity* first(int type) const {
    for (entity* e = entity_list; e; e = e->next)
      if (e->type == type) return e;
    return nullptr;
  }
};
