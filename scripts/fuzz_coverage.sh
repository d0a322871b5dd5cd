#!/bin/sh
# Line coverage of each reader's own source files by its fuzz inputs: the
# seed corpus, the regression files and the inputs a fuzzing run collected.
# Builds the fuzz targets with clang's source-based coverage in
# build-fuzz-cov/ (FUZZ_COVERAGE_DIR), runs every input once, prints
# llvm-cov's report per target.
# Usage: scripts/fuzz_coverage.sh [COLLECTED]   (default build-fuzz/fuzz-work,
#        which holds one folder of collected inputs per target)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
collected=${1:-$root/build-fuzz/fuzz-work}
build=${FUZZ_COVERAGE_DIR:-$root/build-fuzz-cov}
flags="-fprofile-instr-generate -fcoverage-mapping"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVO_FUZZ=ON -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF -DTARVO_DATA=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
cmake --build "$build" -j2 --target fuzz_map fuzz_config fuzz_mapc_grid fuzz_mapc_map fuzz_save fuzz_demo fuzz_console fuzz_vis

# The source files that make up each reader.
sources() {
  case $1 in
    map) echo world/map_stream.cpp world/map_read_level.cpp world/map_read_node.cpp world/ai_nodes_read.cpp \
      world/entities_read.cpp world/world_textures_read.cpp world/light_map_build.cpp ;;
    config) echo config/config_file.cpp ;;
    mapc_grid) echo tools/mapc/grid_parser.cpp tools/mapc/source_limits.cpp tools/mapc/compile.cpp ;;
    mapc_map) echo tools/mapc/map_parser.cpp tools/mapc/source_limits.cpp tools/mapc/compile.cpp ;;
    save) echo game/save_file.cpp ;;
    demo) echo app/demo_file.cpp ;;
    console) echo config/console_tick.cpp config/console_update.cpp config/console_execute.cpp \
      config/console_print.cpp config/run_command.cpp config/bind_keys.cpp ;;
    vis) echo world/world_vis.cpp ;;
  esac
}

mkdir -p "$build/profiles"
for t in map config mapc_grid mapc_map save demo console vis; do
  dirs=""
  for d in "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t" "$collected/$t"; do
    [ -d "$d" ] && dirs="$dirs $d"
  done
  rm -f "$build/profiles/$t".*
  # shellcheck disable=SC2086
  (cd "$build" && LLVM_PROFILE_FILE="$build/profiles/$t.%p.profraw" ASAN_OPTIONS=detect_leaks=0 \
    "$build/fuzz/fuzz_$t" -runs=0 -rss_limit_mb=4096 -timeout=300 $dirs >/dev/null 2>&1)
  llvm-profdata merge -sparse "$build/profiles/$t".*.profraw -o "$build/profiles/$t.profdata"
  inputs=0
  for d in $dirs; do inputs=$((inputs + $(ls "$d" | wc -l))); done
  echo "== fuzz_$t: $inputs inputs"
  files=""
  for f in $(sources "$t"); do files="$files $root/$f"; done
  # shellcheck disable=SC2086
  llvm-cov report "$build/fuzz/fuzz_$t" -instr-profile="$build/profiles/$t.profdata" $files | sed -e "s|$root/||"
done
