// Microseconds per player tick: walking, turning and jumping through an arena
// of pillars and through the compiled Facility level, and standing still.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/level_load.h"
#include "app/texture_table.h"
#include "config/config_table.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/entity.h"
#include "entities/entity_list_free.h"
#include "platform/window.h"
#include "player/player.h"
#include "player/player_update.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"

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

// The compiled level, found beside the build's other data; the level's
// world textures need a GL context, made hidden and off screen.
std::string facility_path() {
  const char* data = getenv("TARVO_DATA_DIR");
  for (std::string dir : {std::string(data ? data : ""), std::string("data"), std::string("../data")}) {
    if (dir.empty()) continue;
    std::string path = dir + "/maps/facility.t3bsp";
    if (access(path.c_str(), R_OK) == 0) return path;
  }
  return "";
}

struct loaded_level {
  platform_window* window = nullptr;
  config_table config{};
  texture_table textures{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;
  player the_player{};
  bool ok = false;

  explicit loaded_level(const std::string& path) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (!platform_init()) return;
    window = platform_create_window("bench", 64, 64, false, true);
    if (!window || !platform_create_gl_context(window)) return;
    set_config_defaults(config);
    player_init(the_player, config);
    entity_list = entity_list_new_head();
    // The loader logs every record; keep that out of the benchmark's report.
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
  ~loaded_level() {
    bsp_free(bsp_root);
    world_textures_free(textures.world_textures);
    entity_list_free(entity_list);
    ai_nodes_free(ai_node_list);
    if (window) platform_destroy_window(window);
    platform_quit();
  }
};

// Walking and turning in the start room, against its walls, with the
// level's entities for the contact test.
void BM_PlayerUpdateFacility(benchmark::State& state) {
  std::string path = facility_path();
  if (path.empty()) {
    state.SkipWithError("no compiled level data/maps/facility.t3bsp");
    return;
  }
  loaded_level level(path);
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
