#!/usr/bin/env bash
# Builds Tarvo with its data, replays a demo with --timedemo (one tick and
# one frame per pass, no sleep, vsync off) and prints the result lines:
#   timedemo: T ticks, F frames in S s = R fps
#   demo end: tick T pos X Y Z health H score S kills K
# and any line where the replay parted from its recording. Runs under an
# Xvfb of its own when no display is present. The game's whole log is kept
# in BUILD/timedemo.log.
# Usage: scripts/timedemo.sh [DEMO]
#   DEMO defaults to bench/demos/void_castle.dem, the walk recorded on the
#   largest level. TIMEDEMO_BUILD_DIR picks the build directory (default
#   build-timedemo/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
demo=${1:-$top/bench/demos/void_castle.dem}
[ -r "$demo" ] || { echo "timedemo.sh: no demo file $demo" >&2; exit 1; }
demo=$(realpath "$demo")
build=${TIMEDEMO_BUILD_DIR:-$top/build-timedemo}

"$top/scripts/setup.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF \
  >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

log="$build/timedemo.log"
status=0
if [ -n "${DISPLAY:-}" ]; then
  "$build/tarvo" --timedemo "$demo" >"$log" 2>&1 || status=$?
else
  SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1920x1200x24 -nolisten tcp" \
    "$build/tarvo" --timedemo "$demo" >"$log" 2>&1 || status=$?
fi
grep -E '^(timedemo: |demo end: |demo: |demo ")' "$log" || true
[ "$status" -eq 0 ] || echo "timedemo.sh: tarvo ended with status $status (log: $log)" >&2
exit "$status"
