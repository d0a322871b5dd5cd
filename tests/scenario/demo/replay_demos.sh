#!/bin/sh
# Replays demos with the given game, flat out (--timedemo) with the rules of
# play checked (--check), and checks that each ends on the line it was
# recorded with, parts from its recording at no tick and breaks no rule:
# the committed demos play the same in every build.
# Usage: replay_demos.sh TARVO DATA DEMO...
#   DATA is the generated data folder to play with (its maps, textures and
#   sounds, with the shipped config at the smallest window, in a scratch
#   folder), or "installed" for a game that finds its own data. REPLAY_AS,
#   when set, is a command that runs the game as another user.
set -u
tarvo=$1 data=$2
shift 2
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
if [ "$data" != installed ]; then
  mkdir -p "$work/data"
  for part in maps textures sound; do ln -s "$(realpath "$data/$part")" "$work/data/$part"; done
  sed 's/^vid_mode .*/vid_mode 0/' "$data/config.cfg" >"$work/data/config.cfg"
fi
status=0
for demo in "$@"; do
  demo=$(realpath "$demo")
  recorded=$(sed -n 's/^end //p' "$demo")
  # Leaks are checked in process; the GL driver's own would be reported here.
  # shellcheck disable=SC2086
  (cd "$work" && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0 \
    ${REPLAY_AS:-} "$tarvo" --timedemo "$demo" --check) >"$work/log" 2>&1
  code=$?
  replayed=$(grep '^demo end: ' "$work/log")
  parted=$(grep -E '^(demo( "|: )|check: )' "$work/log")
  if [ "$code" = 0 ] && [ "$replayed" = "$recorded" ] && [ -z "$parted" ]; then
    echo "PASS: $(basename "$demo"): $replayed"
  else
    echo "FAIL: $demo (exit status $code)"
    echo "  recorded: $recorded"
    echo "  replayed: $replayed"
    [ -n "$parted" ] && echo "$parted" | sed 's/^/  /'
    tail -n 5 "$work/log" | sed 's/^/  log: /'
    status=1
  fi
done
exit $status
