// Microseconds per pull of the trigger on the Range level, every enemy in sight:
// one instant shot and one fifteen-pellet shotgun blast through weapon_step.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/level_load.h"
#include "app/texture_table.h"
#include "config/config_table.h"
#include "entities/entity.h"
#include "entities/entity_list_free.h"
#include "entities/player_weapons_step.h"
#include "platform/window.h"
#include "player/player.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"

namespace {

// The Range level as the game loads it, the player on its start facing the
// row of enemies; the loader's log goes to /dev/null.
struct range_level {
  platform_window* window = nullptr;
  config_table config{};
  texture_table textures{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;
  player the_player{};
  bool ok = false;

  range_level() {
    const char* data = getenv("TARVO_DATA_DIR");
    std::string path = std::string(data ? data : "data") + "/maps/range.t3bsp";
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (access(path.c_str(), R_OK) != 0 || !platform_init()) return;
    window = platform_create_window("bench", 64, 64, false, true);
    if (!window || !platform_create_gl_context(window)) return;
    set_config_defaults(config);
    player_init(the_player, config);
    entity_list = entity_list_new_head();
    fflush(stdout);
    const int saved_stdout = dup(STDOUT_FILENO);
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
      if (e->type == 1)
        for (int i = 0; i < 3; ++i) the_player.pos[i] = e->pos[i];
    the_player.yaw = 330.0;  // north-east, along the row of enemies
  }
  ~range_level() {
    if (bsp_root) bsp_free(bsp_root);
    if (textures.world_textures) world_textures_free(textures.world_textures);
    if (entity_list) entity_list_free(entity_list);
    if (ai_node_list) ai_nodes_free(ai_node_list);
    if (window) platform_destroy_window(window);
    platform_quit();
  }
};

void pull_trigger(benchmark::State& state, int gun_index) {
  range_level level;
  if (!level.ok) {
    state.SkipWithError("no compiled Range level");
    return;
  }
  player& p = level.the_player;
  p.current_gun = gun_index;
  int hits = 0;
  for (auto _ : state) {
    gun& g = p.guns[gun_index];
    g.trigger = 1, g.fire_timer = 0.0, g.loaded = 2, p.reloading = 0;
    weapon_step(p, level.entity_list, level.bsp_root);
    for (entity* e = level.entity_list; e; e = e->next)
      if (e->type >= 200 && e->type <= 299) {
        hits += e->health < 100000;
        e->health = 100000, e->state = 1;  // nobody dies between pulls
      }
  }
  state.counters["hits_per_pull"] = benchmark::Counter(hits, benchmark::Counter::kAvgIterations);
}

void BM_InstantShotRange(benchmark::State& state) { pull_trigger(state, 0); }
void BM_ShotgunBlastRange(benchmark::State& state) { pull_trigger(state, 1); }
BENCHMARK(BM_InstantShotRange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShotgunBlastRange)->Unit(benchmark::kMicrosecond);

}  // namespace
