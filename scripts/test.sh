#!/usr/bin/env bash
# Sets up the machine, builds Tarvo and its data, and runs the whole test
# suite headless: the normal build, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build of the same tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
jobs=$(nproc)

echo "== layout of the sources (.clang-format)"
bash "$top/scripts/format.sh" --check

# End-to-end tests drive the real game under an X server of their own.
export SDL_VIDEODRIVER=offscreen

echo "== build (release with debug info)"
# Every option the suite relies on is named: a play (scripts/play.sh) leaves
# the tests off in the same build folder's cache.
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_TESTS=ON -DTARVO_BENCH=ON \
  -DTARVO_DATA=ON -DTARVO_SANITIZE=OFF -DTARVO_FUZZ=OFF
cmake --build "$top/build" -j"$jobs"
echo "== tests"
(cd "$top/build" && ctest --output-on-failure -j"$jobs")

echo "== build (address and undefined-behaviour sanitizers)"
cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON -DTARVO_TESTS=ON -DTARVO_BENCH=OFF -DTARVO_FUZZ=OFF \
  -DTARVO_DATA_FROM="$top/build/data"
cmake --build "$top/build-asan" -j"$jobs"
echo "== tests under sanitizers"
(cd "$top/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs" -LE e2e)

echo "== fuzzing every file reader (bounded run, 20 s each)"
bash "$top/scripts/fuzz.sh" 20
