#!/usr/bin/env bash
# The soak test (not part of CI): the game's start-up, a long play of the
# largest map with enemies fighting, then load/unload cycles across every
# map, built with AddressSanitizer + UndefinedBehaviorSanitizer and run with
# LeakSanitizer. Prints the resident memory along the way; fails on any
# sanitizer report or leak.
# Usage: scripts/soak.sh [TICKS] [CYCLES]   (default 20000 and 100)
# SOAK_BUILD_DIR picks the build directory (default build-soak/); the data
# comes from build/data when it exists (SOAK_DATA overrides), otherwise the
# soak build generates its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
ticks=${1:-20000}
cycles=${2:-100}
build=${SOAK_BUILD_DIR:-$top/build-soak}
data=${SOAK_DATA:-$top/build/data}

options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_SANITIZE=ON -DTARVO_TESTS=ON -DTARVO_BENCH=OFF)
[ -d "$data/maps" ] && options+=(-DTARVO_DATA_FROM="$data")
cmake -S "$top" -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build" -j2 --target tarvo_soak
[ -d "$data/maps" ] || cmake --build "$build" -j2 --target tarvo_data tarvo_maps

cd "$build"
export SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null
# The GL driver, SDL and OpenAL keep allocations of their own to the end;
# everything of the game's must be freed.
export LSAN_OPTIONS="suppressions=$top/scripts/lsan_soak.supp:print_suppressions=0"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
start=$(date +%s)
status=0
"$build/tests/scenario/soak/tarvo_soak" "$ticks" "$cycles" 2>"$build/soak_report.txt" || status=$?
cat "$build/soak_report.txt" | grep -v '^\s*$' | head -200
echo "soak: exit status $status after $(( $(date +%s) - start )) s (the game's log is $build/soak_game.log)"
if grep -q 'Sanitizer\|runtime error' "$build/soak_report.txt"; then
  echo "soak: FAIL: sanitizer report"; exit 1
fi
[ "$status" -eq 0 ] || { echo "soak: FAIL"; exit 1; }
echo "soak: PASS: no sanitizer errors, no leaks"
