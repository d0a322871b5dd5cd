#!/usr/bin/env bash
# Lays out on one contact sheet, for every level, the view at its start and
# two views on its way: the frames at the first tick and at a third and two
# thirds of the yardstick's seed-1 run (BUILD/yardstick/NAME-1.dem, played
# first when missing), replayed by the game at 640x360.
# Usage: scripts/level_views.sh [OUT.png] [LEVEL...]
#   OUT.png defaults to BUILD/level_views.png; LEVEL is a map name, all 17
#   by default. YARDSTICK_BUILD_DIR picks the build (default build/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${YARDSTICK_BUILD_DIR:-$top/build}")
out=$(realpath -m "${1:-$build/level_views.png}")
shift || true
levels=("$@")
[ ${#levels[@]} -gt 0 ] || levels=(facility outside warehouse tower void_temple chemical_plant under_boss rail_bridge
  radio_tower radio_boss temple forum command_center void_castle void void_boss mouse)

cmake --build "$build" -j"$(nproc)" --target tarvo tarvo_walk_demo tarvo_maps tarvo_data >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The game plays in a folder of its own whose config asks for a small window.
mkdir "$work/data"
for d in maps textures sound; do ln -s "$build/data/$d" "$work/data/$d"; done
sed 's/^vid_mode .*/vid_mode 10/' "$build/data/config.cfg" >"$work/data/config.cfg"
mkdir -p "$build/yardstick"

frames=()
for level in "${levels[@]}"; do
  demo="$build/yardstick/$level-1.dem"
  [ -f "$demo" ] || (cd "$build" && ./tarvo_walk_demo "data/maps/$level.t3bsp" "yardstick/$level-1.dem" 18000 1 \
    >/dev/null 2>&1) || true
  ticks=$(awk '/^ticks /{print $2; exit}' "$demo")
  shots=()
  for tick in 1 $((ticks / 3)) $((2 * ticks / 3)); do
    shots+=(--screenshot "$tick:$work/$level-$tick.png")
    frames+=(-label "$level, tick $tick" "$work/$level-$tick.png")
  done
  # The replay is stopped once its last frame is written.
  (cd "$work" && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null exec "$build/tarvo" --timedemo "$demo" "${shots[@]}" \
    >/dev/null 2>&1) &
  game=$!
  last="$work/$level-$((2 * ticks / 3)).png"
  while kill -0 "$game" 2>/dev/null && [ ! -s "$last" ]; do sleep 1; done
  sleep 1
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
done
montage "${frames[@]}" -tile 3x -geometry 426x240+3+3 -pointsize 13 -background '#202020' -fill white "$out"
echo "level_views.sh: $out"
