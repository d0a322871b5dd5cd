#!/usr/bin/env bash
# The long random play (not part of CI, which plays a short fixed set of
# seeds): every campaign level played by random hands through the running
# game, built with AddressSanitizer + UndefinedBehaviorSanitizer, with the
# rules of play checked after every tick. Prints the figures at the end; a
# broken rule names its seed, level and tick and keeps a demo that replays
# to it in BUILD/random_play/.
# Usage: scripts/random_play.sh [FIRST] [COUNT] [TICKS] [LEVEL]
#   seeds FIRST to FIRST+COUNT-1 (default 1000 and 4), TICKS ticks on each
#   level (default 4000, about a minute of play), or on LEVEL alone. It runs
#   on one core (the GL driver draws without threads of its own).
# RANDOM_PLAY_BUILD_DIR picks the build directory (default build-soak/, which
# scripts/soak.sh shares); the data comes from build/data when it exists.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${RANDOM_PLAY_BUILD_DIR:-$top/build-soak}
data=${SOAK_DATA:-$top/build/data}

options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_SANITIZE=ON -DTARVO_BENCH=OFF)
[ -d "$data/maps" ] && options+=(-DTARVO_DATA_FROM="$data")
cmake -S "$top" -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build" -j2 --target test_play
[ -d "$data/maps" ] || cmake --build "$build" -j2 --target tarvo_data tarvo_maps

cd "$build"
export SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null LP_NUM_THREADS=0
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TARVO_DATA_DIR="$build/data" TARVO_RANDOM_PLAY_KEEP="$build/random_play"
export TARVO_RANDOM_PLAY="${1:-1000} ${2:-4} ${3:-4000} ${4:--1}"
echo "random play: seeds, count, ticks, level: $TARVO_RANDOM_PLAY"
TIMEFORMAT='random play: %0R s, CPU %0U s user and %0S s system'
time "$build/tests/scenario/play/test_play" --gtest_filter='RandomPlay.EveryLevel*'
