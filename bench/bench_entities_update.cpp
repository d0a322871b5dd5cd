// Microseconds per game tick of logic (entity walk, prune, player) on the
// largest compiled level, with every enemy awake.
#include <benchmark/benchmark.h>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "bench/bench_level.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "player/player.h"
#include "player/player_update.h"

namespace {

constexpr double tick_step = 1.0 / 60.0;

// The level loaded as the game loads it; the enemies' log lines while the
// benchmark runs go to /dev/null, buffered as the game buffers its log.
struct fight : bench_level {
  int saved_stdout = -1;
  int enemies = 0;

  explicit fight(const std::string& path) : bench_level(path) {
    for (const entity* e = entity_list; e; e = e->next) enemies += is_enemy(e->type);
    fflush(stdout);
    saved_stdout = dup(STDOUT_FILENO);
    FILE* sink = fopen("/dev/null", "w");
    if (sink) {
      dup2(fileno(sink), STDOUT_FILENO);
      fclose(sink);
    }
  }
  ~fight() {
    fflush(stdout);
    if (saved_stdout >= 0) {
      dup2(saved_stdout, STDOUT_FILENO);
      close(saved_stdout);
    }
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
  std::string path = bench_largest_map();
  fight f(path);
  if (!f.ok) {
    state.SkipWithError("no compiled level in data/maps");
    return;
  }
  key_state keys{};
  for (auto _ : state) {
    for (entity* e = f.entity_list; e; e = e->next) {
      if (!is_enemy(e->type)) continue;
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
  std::string path = bench_largest_map();
  fight f(path);
  if (!f.ok) {
    state.SkipWithError("no compiled level in data/maps");
    return;
  }
  for (entity* e = f.entity_list; e; e = e->next)
    if (is_enemy(e->type)) e->state = s_chase;
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
