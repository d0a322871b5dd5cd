#!/usr/bin/env bash
# Measures Tarvo's frame rate against a well-known peer on this machine, in
# one run: dsda-doom (Debian's package, GL renderer) playing freedoom2's
# DEMO1 with -timedemo, and Tarvo replaying a demo of its largest level with
# --timedemo, both in a 1024 x 768 window on the same X server, three times
# each, alternating. Prints every run, both medians and their ratio.
#
# Usage: bench/compare-peer.sh [DEMO]
#   DEMO defaults to bench/demos/void_castle.dem.
# Environment:
#   COMPARE_BUILD_DIR  the Tarvo build to time (default build-timedemo/,
#                      the one scripts/timedemo.sh uses); built when needed
#   COMPARE_RUNS       runs of each game (default 3)
#   TARVO_RENDERER     passed on to Tarvo (legacy: the plain renderer)
# The peer is another game, installed from Debian when missing (dsda-doom
# and freedoom); nothing of it is kept in the repository.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
demo=$(realpath "${1:-$top/bench/demos/void_castle.dem}")
build=${COMPARE_BUILD_DIR:-$top/build-timedemo}
runs=${COMPARE_RUNS:-3}
width=1024
height=768
# vid_mode 3 is 1024 x 768.
tarvo_mode=3

wad=/usr/share/games/doom/freedoom2.wad
peer=/usr/games/dsda-doom

missing=()
[ -x "$peer" ] || missing+=(dsda-doom)
[ -r "$wad" ] || missing+=(freedoom)
if [ ${#missing[@]} -gt 0 ]; then
  echo "compare-peer: installing ${missing[*]}" >&2
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
command -v Xvfb >/dev/null || "$top/scripts/setup.sh"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarvo tarvo_maps >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# DEMO1 out of the WAD: find its directory entry (16 bytes: offset, size,
# name padded with zeros to 8) after the directory's start.
directory=$(od -An -t d4 -j 8 -N 4 "$wad" | tr -d ' ')
entry=""
for at in $(LC_ALL=C grep -obUaP 'DEMO1\x00\x00\x00' "$wad" | cut -d: -f1); do
  if [ "$at" -ge "$directory" ]; then entry=$((at - 8)); fi
done
[ -n "$entry" ] || { echo "compare-peer: no DEMO1 in $wad" >&2; exit 1; }
read -r lump_at lump_size < <(od -An -t d4 -j "$entry" -N 8 "$wad")
dd if="$wad" of="$work/demo1.lmp" bs=4096 iflag=skip_bytes,count_bytes skip="$lump_at" count="$lump_size" status=none

# Tarvo plays from a folder of its own whose data/ is the build's, but for
# a config that asks for 1024 x 768; its user folder is kept apart too.
mkdir -p "$work/game/data" "$work/home"
for entry_path in "$build"/data/*; do
  name=$(basename "$entry_path")
  [ "$name" = config.cfg ] || ln -s "$entry_path" "$work/game/data/$name"
done
sed -E "s/^(vid_mode[[:space:]]+).*/\\1$tarvo_mode/; s/^(vid_fullscreen[[:space:]]+).*/\\10/" \
  "$build/data/config.cfg" >"$work/game/data/config.cfg"
grep -q '^vid_mode' "$work/game/data/config.cfg" || echo "vid_mode $tarvo_mode" >>"$work/game/data/config.cfg"

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
export DISPLAY=$display

peer_run() {
  (cd "$work" && HOME="$work/home" "$peer" -iwad "$wad" -timedemo demo1.lmp -width "$width" -height "$height" \
    -window -vidmode gl -nosound >"$work/peer.log" 2>&1) || true
  sed -nE 's/.*= ([0-9.]+) frames per second.*/\1/p' "$work/peer.log" | tail -1
}

tarvo_run() {
  (cd "$work/game" && XDG_DATA_HOME="$work/home" SDL_VIDEODRIVER=x11 "$build/tarvo" --timedemo "$demo" \
    >"$work/tarvo.log" 2>&1) || true
  sed -nE 's/^timedemo: .* = ([0-9.]+) fps$/\1/p' "$work/tarvo.log" | tail -1
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

peer_rates=()
tarvo_rates=()
for i in $(seq 1 "$runs"); do
  p=$(peer_run)
  t=$(tarvo_run)
  [ -n "$p" ] || { echo "compare-peer: dsda-doom gave no rate (log: $(tail -3 "$work/peer.log"))" >&2; exit 1; }
  [ -n "$t" ] || { echo "compare-peer: tarvo gave no rate (log: $(tail -3 "$work/tarvo.log"))" >&2; exit 1; }
  echo "run $i: dsda-doom $p fps, tarvo $t fps"
  peer_rates+=("$p")
  tarvo_rates+=("$t")
done
grep -E '^(demo end: |demo: )' "$work/tarvo.log" || true
peer_median=$(printf '%s\n' "${peer_rates[@]}" | median)
tarvo_median=$(printf '%s\n' "${tarvo_rates[@]}" | median)
echo "dsda-doom median: $peer_median fps (freedoom2 DEMO1, ${width}x${height}, GL)"
echo "tarvo median: $tarvo_median fps ($(basename "$demo"), ${width}x${height})"
awk -v t="$tarvo_median" -v p="$peer_median" 'BEGIN { printf "ratio tarvo / dsda-doom: %.2f\n", t / p }'
