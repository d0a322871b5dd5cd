// Microseconds per pull of the trigger on the Range level, at an enemy in its
// booth: one instant shot and one fifteen-pellet shotgun blast through weapon_step.
#include <benchmark/benchmark.h>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "bench/bench_level.h"
#include "entities/player_weapons_step.h"
#include "player/player.h"

namespace {

// The Range level as the game loads it, the player standing in the doorway
// of the mob2's booth, looking in at it.
struct range_level : bench_level {
  range_level() : bench_level(bench_map_path("range")) {
    const entity* target = first(ent_mob2);
    if (!ok || !target) {
      ok = false;
      return;
    }
    the_player.pos[0] = target->pos[0];
    the_player.pos[2] = target->pos[2] + 8.0;
    the_player.yaw = 0.0;  // north, into the booth
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
      if (is_enemy(e->type)) {
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
