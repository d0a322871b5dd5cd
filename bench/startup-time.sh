#!/usr/bin/env bash
# Start-up time: from starting the game to its last start-up line ("passed
# initplayer", printed just before the loop's first pass), the log going to
# a file, with SDL's off-screen video driver and OpenAL's null device. Runs
# the game RUNS times (default 5) and prints each time and the median.
# Usage: bench/startup-time.sh [BUILD_DIR]   (default build/; run from
# anywhere, the game starts in BUILD_DIR, beside its data/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build}")
runs=${RUNS:-5}
[ -x "$build/tarvo" ] && [ -d "$build/data" ] || { echo "startup-time: no built game in $build" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
times=()
for _ in $(seq 1 "$runs"); do
  : >"$log"
  start=$(date +%s%N)
  (cd "$build" && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null exec ./tarvo >"$log" 2>&1) &
  pid=$!
  until grep -q '^passed initplayer' "$log"; do
    kill -0 "$pid" 2>/dev/null || { echo "startup-time: the game ended early" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  ms=$(((end - start) / 1000000))
  echo "start-up: $ms ms"
  times+=("$ms")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { print "median: " v[int((NR + 1) / 2)] " ms" }'
