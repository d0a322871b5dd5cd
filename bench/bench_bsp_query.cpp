// BSP segment queries per second on a large generated map (2^16 leaves,
// about a quarter of them solid), read through the map reader.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/map_read_level.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "bench/generated_map.h"
#include "entities/entity_list_free.h"
#include "world/bsp_free.h"
#include "world/bsp_query.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"

namespace {

constexpr double map_size = 1024.0;

// The tree, read once (quietly: the log goes nowhere).
bsp_node* level_tree() {
  static bsp_node* root = nullptr;
  if (root) return root;
  std::string text = generated_map::text(16, map_size);
  FILE* file = fmemopen(&text[0], text.size(), "r");
  FILE* saved = stdout;
  stdout = fopen("/dev/null", "w");
  map_stream s = map_stream_over(file, "generated");
  texture_table textures{};
  entity* head = entity_list_new_head();
  ai_node* nodes = nullptr;
  map_read_level(s, head, textures, root, nodes);
  fclose(stdout);
  stdout = saved;
  fclose(file);
  entity_list_free(head);
  ai_nodes_free(nodes);
  world_textures_free(textures.world_textures);
  return root;
}

struct segment {
  double a[3];
  double b[3];
};

// Pseudo-random segments at eye height; `length` 0 means any two points of
// the map (sight lines), otherwise short steps like movement probes.
std::vector<segment> segments(double length) {
  generated_map::lcg random;
  std::vector<segment> out(4096);
  for (segment& s : out) {
    s.a[0] = (random.next() % 100000) * map_size / 100000.0;
    s.a[1] = 1.5;
    s.a[2] = (random.next() % 100000) * map_size / 100000.0;
    if (length == 0) {
      s.b[0] = (random.next() % 100000) * map_size / 100000.0;
      s.b[2] = (random.next() % 100000) * map_size / 100000.0;
    } else {
      s.b[0] = s.a[0] + length * ((random.next() % 2001) / 1000.0 - 1.0);
      s.b[2] = s.a[2] + length * ((random.next() % 2001) / 1000.0 - 1.0);
    }
    s.b[1] = 1.5;
  }
  return out;
}

void BM_SegmentClear(benchmark::State& state) {
  bsp_node* root = level_tree();
  if (!root) {
    state.SkipWithError("the generated map was rejected");
    return;
  }
  std::vector<segment> list = segments(static_cast<double>(state.range(0)));
  size_t i = 0;
  int clear = 0;
  for (auto _ : state) {
    const segment& s = list[i++ % list.size()];
    clear += bsp_segment_clear(s.a, s.b, root);
  }
  benchmark::DoNotOptimize(clear);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_SegmentClear)->Arg(0)->Arg(2)->Arg(50);

void BM_TraceSolid(benchmark::State& state) {
  bsp_node* root = level_tree();
  if (!root) {
    state.SkipWithError("the generated map was rejected");
    return;
  }
  std::vector<segment> list = segments(2.0);
  size_t i = 0;
  int solid = 0;
  double normal[3] = {0, 0, 0};
  double distance = 0;
  for (auto _ : state) {
    const segment& s = list[i++ % list.size()];
    solid += bsp_trace_solid(s.a, s.b, root, normal, &distance);
  }
  benchmark::DoNotOptimize(solid);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_TraceSolid);

}  // namespace
