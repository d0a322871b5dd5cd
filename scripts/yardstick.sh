#!/usr/bin/env bash
# Plays every level of the campaign with the yardstick player
# (tarvo_walk_demo) at several seeds and prints the table of levels/README.md:
# per level and seed whether the level was finished, the time, the kills, the
# health at the end and the health lost per kill, then the totals. Every run
# is recorded as a demo, BUILD/yardstick/NAME-SEED.dem, to be watched with
#   build/tarvo --playdemo build/yardstick/NAME-SEED.dem
# Usage: scripts/yardstick.sh [SEEDS] [LEVEL...]
#   SEEDS defaults to 5 (seeds 1 to 5); LEVEL is a map name (facility,
#   outside, ...), all 17 by default. YARDSTICK_BUILD_DIR picks the build
#   (default build/); YARDSTICK_JOBS the runs at once (default the cores);
#   YARDSTICK_TABLE_ONLY=1 makes the table of the runs already there;
#   YARDSTICK_SKILL plays at 0 (Easy), 1 (Normal, the default) or 2 (Hard),
#   its runs kept in BUILD/yardstick/skill-N/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${YARDSTICK_BUILD_DIR:-$top/build}
seeds=${1:-5}
shift || true
levels=("$@")
[ ${#levels[@]} -gt 0 ] || levels=(facility outside warehouse tower void_temple chemical_plant under_boss rail_bridge
  radio_tower radio_boss temple forum command_center void_castle void void_boss mouse)

[ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ] ||
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarvo_walk_demo tarvo_maps tarvo_data >/dev/null

skill=${YARDSTICK_SKILL:-1}
out="$build/yardstick"
[ "$skill" = 1 ] || out="$build/yardstick/skill-$skill"
mkdir -p "$out"
runs=()
for level in "${levels[@]}"; do
  for seed in $(seq 1 "$seeds"); do runs+=("$level $seed"); done
done
# Five minutes of play at most per run.
[ -n "${YARDSTICK_TABLE_ONLY:-}" ] || printf '%s\n' "${runs[@]}" | (cd "$build" && OUT="$out" SKILL="$skill" xargs -P "${YARDSTICK_JOBS:-$(nproc)}" -L 1 sh -c \
  'nice ./tarvo_walk_demo "data/maps/$0.t3bsp" "$OUT/$0-$1.dem" 18000 "$1" "$SKILL" \
     >/dev/null 2>"$OUT/$0-$1.txt" || true')

echo "| Level | Seed | Finished | Time | Kills | Health at end | Lost per kill |"
echo "|---|---|---|---|---|---|---|"
for level in "${levels[@]}"; do
  for seed in $(seq 1 "$seeds"); do
    grep -h '^walk_demo: ' "$out/$level-$seed.txt" | tail -n 1 | sed "s/^/$level /"
  done
done | awk '
  function row(name, seed, fin, t, k, h, lost) {
    printf "| %s | %s | %s | %.0f s | %d | %d | %s |\n", name, seed, fin, t / 60, k, h,
      (k > 0 ? sprintf("%.1f", lost / k) : (lost > 0 ? "all " lost : "0"))
  }
  {
    name = $1; seed = $5; fin = ($6 == "finished") ? "yes" : "no"
    t = $8; k = $10; h = $12; lost = $14
    row(name, seed, fin, t, k, h, lost)
    n[name]++; f[name] += (fin == "yes"); T[name] += t; K[name] += k; H[name] += h; L[name] += lost
    if (!(name in seen)) { seen[name] = 1; order[++count] = name }
  }
  END {
    print ""
    print "| Level | Finished | Mean time | Kills | Mean health at end | Lost per kill |"
    print "|---|---|---|---|---|---|"
    for (i = 1; i <= count; i++) {
      m = order[i]
      printf "| %s | %d of %d | %.0f s | %d | %.0f | %s |\n", m, f[m], n[m], T[m] / n[m] / 60, K[m], H[m] / n[m],
        (K[m] > 0 ? sprintf("%.1f", L[m] / K[m]) : "-")
      all_n += n[m]; all_f += f[m]; all_t += T[m]; all_k += K[m]; all_l += L[m]
    }
    printf "| all | %d of %d | %.0f s | %d | | %s |\n", all_f, all_n, all_t / all_n / 60, all_k,
      (all_k > 0 ? sprintf("%.1f", all_l / all_k) : "-")
  }'
