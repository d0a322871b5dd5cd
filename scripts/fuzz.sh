#!/bin/sh
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then runs the map reader's
# fuzzer for a bounded time on the seed corpus and the regression files.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_FUZZ=ON -DTARVO_SANITIZE=ON \
  -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF -DTARVO_DATA=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_map

# New inputs go to a scratch directory; the committed corpus stays as it is.
work="$build/fuzz-work/map"
mkdir -p "$work"
cd "$build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  "$build/fuzz/fuzz_map" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -dict="$root/fuzz/map.dict" -print_final_stats=1 \
  "$work" "$root/fuzz/corpus/map" "$root/fuzz/regressions/map"
echo "fuzz_map: no crash in ${seconds} s"
