#!/usr/bin/env bash
# Records the game's mix part by part through OpenAL Soft's wave backend and
# prints a Markdown table of each part's loudness and how much of its energy
# lies below 80 Hz, then the margins the mix is built to: the rifle at least
# 6 LU above the loudest level music, an enemy's shot at 10 units at least as
# loud as it.
#
#   scripts/mix_table.sh [SECONDS] [BUILD]
#
# SECONDS (default 30) is how long each music track plays; BUILD (default
# build/) holds the tarvo_mixcheck tool and the generated data/. Each part is
# played by the game's own sound system, as a level plays it: the level music
# at its gain, the player's guns at theirs at the listener, an enemy's shot or
# cry from its own source straight ahead at 5, 10 or 20 units.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=$(cd "${2:-$top/build}" && pwd)
tool="$build/tools/mixcheck/tarvo_mixcheck"
[ -x "$tool" ] || { echo "mix_table: build tarvo_mixcheck first (needs libebur128-dev, libfftw3-dev)" >&2; exit 1; }
[ -d "$build/data/sound" ] || { echo "mix_table: no generated $build/data/sound" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

parts=(${MIX_PARTS:-music:music1 music:music3 music:music5 music:music6 music:music7 music:music8 music:music9
       music:music10 music:mouse menu rifle shotgun energy
       shot:200:5 shot:200:10 shot:200:20 shot:203:5 shot:203:10 shot:203:20 cry:200:10 cry:201:10})
names=()
for part in "${parts[@]}"; do
  name=${part//:/_}
  (cd "$build" && "$tool" record "$part" "$work/$name.wav" "$seconds" > "$work/$name.log" 2>&1) ||
    { echo "mix_table: recording $part failed:" >&2; cat "$work/$name.log" >&2; exit 1; }
  names+=("$work/$name.wav")
done
"$tool" measure "${names[@]}" | awk -v work="$work/" '
  function label(f) {
    sub(work, "", f); sub(/\.wav$/, "", f)
    if (f ~ /^music_/) { sub(/^music_/, "", f); return f " (level music, gain 0.8)" }
    if (f == "menu") return "menu (title, gain 1.0)"
    if (f == "rifle") return "rifle, held 2 s (gain 0.25)"
    if (f == "shotgun") return "shotgun (gain 0.25)"
    if (f == "energy") return "energy gun (gain 0.25)"
    split(f, p, "_")
    what = p[1] == "shot" ? "enemy " p[2] " shot" : "enemy " p[2] " cry"
    return what " at " p[3] " units"
  }
  BEGIN {
    print "| part | integrated LUFS | loudest 400 ms, LUFS | energy below 80 Hz |"
    print "|---|---|---|---|"
    music = -999
  }
  {
    f = $1; l = label(f)
    printf "| %s | %.1f | %.1f | %.0f %% |\n", l, $2, $3, $4 * 100
    if (f ~ /music_/ && f !~ /music_mouse/ && $2 > music) music = $2
    if (f ~ /rifle/) rifle = $3
    if (f ~ /shot_200_10/) enemy = $3
    if (f ~ /shot_203_10/) enemy2 = $3
  }
  # The margins of the parts recorded (MIX_PARTS may leave some out).
  END {
    if (music == -999) exit
    printf "\nLoudest level music %.1f LUFS.", music
    if (rifle != "") printf " Rifle %+.1f LU over it (at least +6 wanted).", rifle - music
    if (enemy != "") printf " Enemy 200 shot at 10 units %+.1f LU (at least 0 wanted).", enemy - music
    if (enemy2 != "") printf " Enemy 203 shot at 10 units %+.1f LU (at least 0 wanted).", enemy2 - music
    printf "\n"
  }'
