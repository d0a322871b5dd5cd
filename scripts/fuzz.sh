#!/bin/sh
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for a bounded time on its seed
# corpus and its regression files, one after the other.
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]   (default 60, all)
# Targets: map (the game's map reader), config (the config reader),
# mapc_grid and mapc_map (the compiler's .lvl and .map readers with the
# compile), save (the save file), demo (the demo reader), vis (the visible
# sets beside a map) and console (lines typed into the console, run against a
# loaded level). FUZZ_BUILD_DIR picks the build directory (default build-fuzz/).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-map config mapc_grid mapc_map save demo vis console}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_FUZZ=ON -DTARVO_SANITIZE=ON \
  -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF -DTARVO_DATA=OFF >/dev/null
executables=""
for t in $targets; do executables="$executables fuzz_$t"; done
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $executables

# Longest input and dictionary of each target.
max_len() {
  case $1 in
    map) echo 65536 ;;
    config) echo 4096 ;;
    mapc_grid) echo 8192 ;;
    mapc_map) echo 16384 ;;
    save) echo 256 ;;
    demo) echo 65536 ;;
    console) echo 1024 ;;
    vis) echo 4096 ;;
  esac
}
dict() {
  case $1 in
    mapc_grid | mapc_map | config | save | demo | console) echo "$root/fuzz/$1.dict" ;;
    *) echo "$root/fuzz/map.dict" ;;
  esac
}

for t in $targets; do
  # New inputs go to a scratch directory; the committed corpus stays as it is.
  work="$build/fuzz-work/$t"
  mkdir -p "$work"
  cd "$build"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -rss_limit_mb=2048 \
    -timeout=120 -dict="$(dict "$t")" -print_final_stats=1 \
    "$work" $(for d in "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t"; do [ -d "$d" ] && echo "$d"; done)
  echo "fuzz_$t: no crash in ${seconds} s"
done
