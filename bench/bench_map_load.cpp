// Map load throughput: megabytes of map text read per second, all four
// sections with light-map uploads, the log going to a file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/level_load.h"
#include "app/map_read_level.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "bench/bench_level.h"
#include "bench/generated_map.h"
#include "entities/entity_list_free.h"
#include "platform/window.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"

namespace {

// A hidden window with a real GL context, so light maps are uploaded.
bool make_gl_context() {
  static bool made = false;
  static bool ok = false;
  if (made) return ok;
  made = true;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (!platform_init()) return false;
  platform_window* window = platform_create_window("bench", 64, 64, false, true);
  ok = window && platform_create_gl_context(window);
  return ok;
}

// Sends standard output to a log file while it lives, as when the game's
// output is redirected; the benchmark's own report gets it back after.
struct log_to_file {
  int saved = -1;
  int log = -1;
  explicit log_to_file(const char* path) {
    fflush(stdout);
    saved = dup(1);
    log = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (ok()) dup2(log, 1);
  }
  ~log_to_file() {
    fflush(stdout);
    if (saved >= 0) {
      dup2(saved, 1);
      close(saved);
    }
    if (log >= 0) close(log);
  }
  bool ok() const { return saved >= 0 && log >= 0; }
  // Starts the log file empty again.
  bool empty() const { return ftruncate(1, 0) == 0 && lseek(1, 0, SEEK_SET) == 0; }
};

// Frees what a load made.
void free_level(bsp_node* root, texture_table& textures, entity* head, ai_node* nodes) {
  bsp_free(root);
  world_textures_free(textures.world_textures);
  entity_list_free(head);
  ai_nodes_free(nodes);
}

void BM_MapLoad(benchmark::State& state) {
  if (!make_gl_context()) {
    state.SkipWithError("no GL context");
    return;
  }
  std::string text = generated_map::text(static_cast<int>(state.range(0)), 1024.0);
  std::string path = "/tmp/tarvo_bench_map.t3bsp";
  FILE* out = fopen(path.c_str(), "wb");
  fwrite(text.data(), 1, text.size(), out);
  fclose(out);
  log_to_file redirect("/tmp/tarvo_bench_map.log");
  if (!redirect.ok()) {
    state.SkipWithError("cannot redirect the log");
    return;
  }
  for (auto _ : state) {
    FILE* file = fopen(path.c_str(), "r");
    map_stream s = map_stream_over(file, path.c_str());
    texture_table textures{};
    entity* head = entity_list_new_head();
    bsp_node* root = nullptr;
    ai_node* nodes = nullptr;
    bool ok = map_read_level(s, head, textures, root, nodes);
    fclose(file);
    fflush(stdout);
    state.PauseTiming();
    if (!ok) state.SkipWithError("the generated map was rejected");
    free_level(root, textures, head, nodes);
    // Start each pass with an empty log file.
    if (!redirect.empty()) state.SkipWithError("cannot empty the log");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["map_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_MapLoad)->Arg(10)->Arg(14)->Unit(benchmark::kMillisecond)->UseRealTime();

// The campaign's largest level loaded as the game loads it (load_level:
// the file, its textures and light maps, the player's reset), the log
// going to a file.
void BM_LoadLargestLevel(benchmark::State& state) {
  std::string path = bench_largest_map();
  if (path.empty() || !make_gl_context()) {
    state.SkipWithError("no compiled level or no GL context");
    return;
  }
  config_table config{};
  set_config_defaults(config);
  player the_player{};
  player_init(the_player, config);
  log_to_file redirect("/tmp/tarvo_bench_level.log");
  if (!redirect.ok()) {
    state.SkipWithError("cannot redirect the log");
    return;
  }
  for (auto _ : state) {
    texture_table textures{};
    entity* head = entity_list_new_head();
    bsp_node* root = nullptr;
    ai_node* nodes = nullptr;
    bool ok = load_level(path.c_str(), head, textures, root, nodes, the_player, config);
    fflush(stdout);
    state.PauseTiming();
    if (!ok) state.SkipWithError("the level was rejected");
    free_level(root, textures, head, nodes);
    if (!redirect.empty()) state.SkipWithError("cannot empty the log");
    state.ResumeTiming();
  }
  state.SetLabel(path);
}
BENCHMARK(BM_LoadLargestLevel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
