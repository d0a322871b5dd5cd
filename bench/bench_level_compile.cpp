// Compiling the campaign's level sources with the map compiler, as the build
// does (without the texture check or the preview): one level at a time, and
// the whole campaign, whose compile must stay well under a minute.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/mapc/compile.h"

namespace {

std::string levels_dir() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  return std::string(source ? source : ".") + "/levels";
}

// The grid sources of levels/, in name order.
std::vector<std::string> level_sources() {
  std::vector<std::string> out;
  if (DIR* d = opendir(levels_dir().c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".lvl") == 0)
        out.push_back(levels_dir() + "/" + name);
    }
    closedir(d);
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool compile_one(const std::string& path, benchmark::State& state) {
  mapc_source src;
  mapc_result result;
  mapc_log log;
  if (!mapc_load_source(path, src, log) || !mapc_compile(src, mapc_options{}, result, log)) {
    state.SkipWithError((path + ": " + (log.errors.empty() ? "" : log.errors[0])).c_str());
    return false;
  }
  benchmark::DoNotOptimize(result.text.data());
  return true;
}

void BM_CompileCampaign(benchmark::State& state) {
  std::vector<std::string> sources = level_sources();
  if (sources.empty()) {
    state.SkipWithError("no level sources; set TARVO_SOURCE_DIR");
    return;
  }
  for (auto _ : state)
    for (const std::string& s : sources)
      if (!compile_one(s, state)) return;
  state.counters["levels"] = static_cast<double>(sources.size());
}
BENCHMARK(BM_CompileCampaign)->Unit(benchmark::kSecond)->Iterations(1);

void BM_CompileLevel(benchmark::State& state, const std::string& path) {
  for (auto _ : state)
    if (!compile_one(path, state)) return;
}

// One benchmark per level source found when the program starts.
int register_levels() {
  for (const std::string& path : level_sources()) {
    std::string name = "BM_CompileLevel/" + path.substr(path.find_last_of('/') + 1);
    benchmark::RegisterBenchmark(name.c_str(), BM_CompileLevel, path)->Unit(benchmark::kMillisecond);
  }
  return 0;
}
const int registered = register_levels();

}  // namespace
