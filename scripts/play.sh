#!/usr/bin/env bash
# Sets up the machine, builds Tarvo with its data and starts the game.
# Extra arguments go to the game (for example --map PATH).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF \
  -DTARVO_DATA=ON -DTARVO_SANITIZE=OFF -DTARVO_FUZZ=OFF
cmake --build "$top/build" -j"$(nproc)"
exec "$top/build/tarvo" "$@"
