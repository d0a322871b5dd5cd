// Microseconds per game tick of logic (entity walk, prune, player) on the
// largest compiled level, with every enemy awake.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/level_load.h"
#include "app/texture_table.h"
#include "config/config_table.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/entity.h"
#include "entities/entity_codes.h"
#include "entities/entity_list.h"
#include "entities/entity_list_free.h"
#include "entities/entity_update.h"
#include "platform/window.h"
#include "player/player.h"
#include "player/player_update.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"

namespace {

constexpr double tick_step = 1.0 / 60.0;

// The largest map file of the generated data (the campaign's biggest level).
std::string largest_map() {
  const char* data = getenv("TARVO_DATA_DIR");
  for (std::string dir : {std::string(data ? data : ""), std::string("data"), std::string("../data")}) {
    if (dir.empty()) continue;
    std::string maps = dir + "/maps";
    DIR* d = opendir(maps.c_str());
    if (!d) continue;
    std::string best;
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
    if (!best.empty()) return best;
  }
  return "";
}

// The level loaded as the game loads it; its log, and the enemies' log
// lines while the benchmark runs, go to /dev/null.
struct fight {
  platform_window* window = nullptr;
  config_table config{};
  texture_table textures{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;
  player the_player{};
  int saved_stdout = -1;
  int enemies = 0;
  bool ok = false;

  explicit fight(const std::string& path) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (!platform_init()) return;
    window = platform_create_window("bench", 64, 64, false, true);
    if (!window || !platform_create_gl_context(window)) return;
    set_config_defaults(config);
    player_init(the_player, config);
    entity_list = entity_list_new_head();
    fflush(stdout);
    saved_stdout = dup(STDOUT_FILENO);
    setvbuf(stdout, nullptr, _IOFBF, 1 << 16);  // as the game buffers its log
    FILE* sink = fopen("/dev/null", "w");
    if (sink) {
      dup2(fileno(sink), STDOUT_FILENO);
      fclose(sink);
    }
    ok = load_level(path.c_str(), entity_list, textures, bsp_root, ai_node_list, the_player, config);
    bool placed = false;
    for (const entity* e = entity_list; e; e = e->next) {
      if (e->type >= 200 && e->type <= 299) ++enemies;
      if (e->type != 1 || placed) continue;
      for (int i = 0; i < 3; ++i) the_player.pos[i] = e->pos[i];
      placed = true;
    }
  }
  ~fight() {
    fflush(stdout);
    if (saved_stdout >= 0) {
      dup2(saved_stdout, STDOUT_FILENO);
      close(saved_stdout);
    }
    bsp_free(bsp_root);
    world_textures_free(textures.world_textures);
    entity_list_free(entity_list);
    ai_nodes_free(ai_node_list);
    if (window) platform_destroy_window(window);
    platform_quit();
  }
  // The player never dies, so the fight goes on.
  void tick(const key_state& keys) {
    the_player.health = 100;
    entities_update(entity_list, the_player, bsp_root, ai_node_list, entity_list, tick_step);
    entities_prune(entity_list);
    player_update(the_player, keys, bsp_root, entity_list, tick_step, mouse_state{});
  }
};

// Every enemy kept chasing the player: each tick it is put back into the
// chase with its chase clock at 0, so none stops to aim.
void BM_TickAllEnemiesChasing(benchmark::State& state) {
  std::string path = largest_map();
  fight f(path);
  if (!f.ok) {
    state.SkipWithError("no compiled level in data/maps");
    return;
  }
  key_state keys{};
  for (auto _ : state) {
    for (entity* e = f.entity_list; e; e = e->next) {
      if (e->type < 200 || e->type > 299) continue;
      e->state = s_chase;
      e->aux_timer = 0.0;
      e->health = 1000000;
    }
    f.tick(keys);
    benchmark::DoNotOptimize(f.the_player.pos);
  }
  state.counters["enemies"] = f.enemies;
  state.SetLabel(path.substr(path.find_last_of('/') + 1));
}
BENCHMARK(BM_TickAllEnemiesChasing)->Unit(benchmark::kMicrosecond);

// The whole fight as it plays: every enemy woken once, then left to chase,
// find routes, aim and shoot at an immortal player.
void BM_TickAllEnemiesFighting(benchmark::State& state) {
  std::string path = largest_map();
  fight f(path);
  if (!f.ok) {
    state.SkipWithError("no compiled level in data/maps");
    return;
  }
  for (entity* e = f.entity_list; e; e = e->next)
    if (e->type >= 200 && e->type <= 299) e->state = s_chase;
  key_state keys{};
  for (auto _ : state) {
    f.tick(keys);
    benchmark::DoNotOptimize(f.the_player.pos);
  }
  int entities = 0;
  for (entity* e = f.entity_list; e; e = e->next) ++entities;
  state.counters["entities"] = entities;
}
BENCHMARK(BM_TickAllEnemiesFighting)->Unit(benchmark::kMicrosecond);

}  // namespace
