// Microseconds per player tick: walking, turning and jumping through an arena
// of pillars and through the compiled Facility level, and standing still.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/bench_level.h"
#include "config/config_table.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "player/player.h"
#include "player/player_update.h"
#include "world/bsp_node.h"

namespace {

// An arena 40 x 40 and 4 high with a 4 x 4 grid of pillars, split the way a
// map compiler would: the outer walls, then between the pillar columns and
// rows, then each pillar's five faces.
struct arena {
  std::vector<std::unique_ptr<bsp_node>> nodes;
  std::vector<std::unique_ptr<bsp_polygon>> polygons;
  std::vector<std::unique_ptr<map_vertex>> vertices;
  bsp_node* root = nullptr;

  bsp_node* leaf(bool solid) {
    nodes.push_back(std::make_unique<bsp_node>());
    nodes.back()->is_leaf = 1;
    nodes.back()->contents = solid ? 1 : 0;
    return nodes.back().get();
  }
  bsp_node* split(double px, double py, double pz, double nx, double ny, double nz, bsp_node* front,
                  bsp_node* back) {
    vertices.push_back(std::make_unique<map_vertex>(map_vertex{px, py, pz, 0, 0}));
    polygons.push_back(std::make_unique<bsp_polygon>());
    bsp_polygon* poly = polygons.back().get();
    poly->verts = vertices.back().get();
    poly->vert_count = 1;
    poly->normal[0] = nx;
    poly->normal[1] = ny;
    poly->normal[2] = nz;
    nodes.push_back(std::make_unique<bsp_node>());
    bsp_node* node = nodes.back().get();
    node->poly = poly;
    node->front = front;
    node->back = back;
    return node;
  }
  static double pillar_centre(int index) { return -15.0 + 10.0 * index; }
  bsp_node* pillar(int column, int row) {
    double cx = pillar_centre(column), cz = pillar_centre(row);
    bsp_node* top = split(cx, 3, cz, 0, 1, 0, leaf(false), leaf(true));
    bsp_node* south = split(cx, 0, cz + 1, 0, 0, 1, leaf(false), top);
    bsp_node* north = split(cx, 0, cz - 1, 0, 0, -1, leaf(false), south);
    bsp_node* east = split(cx + 1, 0, cz, 1, 0, 0, leaf(false), north);
    return split(cx - 1, 0, cz, -1, 0, 0, leaf(false), east);
  }
  // Pillars with columns [c0, c1) and rows [r0, r1).
  bsp_node* cells(int c0, int c1, int r0, int r1) {
    if (c1 - c0 > 1) {
      int mid = (c0 + c1) / 2;
      double x = (pillar_centre(mid - 1) + pillar_centre(mid)) / 2;
      return split(x, 0, 0, -1, 0, 0, cells(c0, mid, r0, r1), cells(mid, c1, r0, r1));
    }
    if (r1 - r0 > 1) {
      int mid = (r0 + r1) / 2;
      double z = (pillar_centre(mid - 1) + pillar_centre(mid)) / 2;
      return split(0, 0, z, 0, 0, -1, cells(c0, c1, r0, mid), cells(c0, c1, mid, r1));
    }
    return pillar(c0, r0);
  }
  arena() {
    bsp_node* inside = cells(0, 4, 0, 4);
    bsp_node* ceiling = split(0, 4, 0, 0, -1, 0, inside, leaf(true));
    bsp_node* floor = split(0, 0, 0, 0, 1, 0, ceiling, leaf(true));
    bsp_node* south = split(0, 0, 20, 0, 0, -1, floor, leaf(true));
    bsp_node* north = split(0, 0, -20, 0, 0, 1, south, leaf(true));
    bsp_node* west = split(-20, 0, 0, 1, 0, 0, north, leaf(true));
    root = split(20, 0, 0, -1, 0, 0, west, leaf(true));
  }
};

player new_player() {
  config_table table{};
  set_config_defaults(table);
  player p{};
  player_init(p, table);
  p.pos[0] = -10;
  p.pos[1] = 0.1;
  p.pos[2] = -10;
  return p;
}

// Forward and a slow key turn, a jump now and then, the mouse wandering:
// the player runs into pillars and walls and slides along them.
void BM_PlayerUpdateWalking(benchmark::State& state) {
  arena level;
  player p = new_player();
  key_state keys{};
  keys.slots['w' - 33] = key_held;
  keys.slots[key_slot_left] = key_held;
  p.key_bindings[bind_look_key_speed] = 1;
  int tick = 0;
  for (auto _ : state) {
    keys.slots[key_slot_space] = (tick % 120) < 10 ? key_held : key_up;
    mouse_state mouse{};
    mouse.x_motion = (tick * 7) % 11 - 5;
    player_update(p, keys, level.root, nullptr, 1.0 / 60.0, mouse);
    benchmark::DoNotOptimize(p.pos);
    ++tick;
  }
  state.counters["x"] = p.pos[0];
  state.counters["z"] = p.pos[2];
}
BENCHMARK(BM_PlayerUpdateWalking)->Unit(benchmark::kMicrosecond);

void BM_PlayerUpdateStanding(benchmark::State& state) {
  arena level;
  player p = new_player();
  key_state keys{};
  for (auto _ : state) {
    player_update(p, keys, level.root, nullptr, 1.0 / 60.0, mouse_state{});
    benchmark::DoNotOptimize(p.pos);
  }
}
BENCHMARK(BM_PlayerUpdateStanding)->Unit(benchmark::kMicrosecond);

// Walking and turning in the start room, against its walls, with the
// level's entities for the contact test.
void BM_PlayerUpdateFacility(benchmark::State& state) {
  bench_level level(bench_map_path("facility"));
  if (!level.ok) {
    state.SkipWithError("the compiled level did not load");
    return;
  }
  player& p = level.the_player;
  key_state keys{};
  keys.slots['w' - 33] = key_held;
  keys.slots[key_slot_left] = key_held;
  int tick = 0;
  for (auto _ : state) {
    keys.slots[key_slot_space] = (tick % 120) < 10 ? key_held : key_up;
    mouse_state mouse{};
    mouse.x_motion = (tick * 7) % 11 - 5;
    player_update(p, keys, level.bsp_root, level.entity_list, 1.0 / 60.0, mouse);
    benchmark::DoNotOptimize(p.pos);
    ++tick;
  }
  state.counters["x"] = p.pos[0];
  state.counters["z"] = p.pos[2];
}
BENCHMARK(BM_PlayerUpdateFacility)->Unit(benchmark::kMicrosecond);

}  // namespace
