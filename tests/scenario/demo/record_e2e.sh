#!/usr/bin/env bash
# Records a demo with real X input under an Xvfb of its own, then replays
# it: the player walks up to the arena's enemies and fights them with the
# keyboard and the mouse, takes an F12 screenshot and leaves with Escape.
# The demo must be written, F12 must have written screenshots/tarvo-0000.png
# in the folder the game ran in, and --playdemo and --timedemo must both end
# on the end line the recording wrote.
# Usage: record_e2e.sh TARVO DATA_DIR MAP [KEEP_DEMO]
# With KEEP_DEMO the recorded demo is copied there (how tests/scenario/demo/arena.dem
# was made). Exits 77 (skipped) when the game's data has not been generated.
set -u
tarvo=$1 data=$2 map=$3 keep=${4:-}
[ -d "$data" ] || { echo "SKIP: no data folder $data"; exit 77; }
work=$(mktemp -d)
trap 'kill "$game" "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $1"; [ -f "$work/log" ] && grep -E "record|demo|screenshot" "$work/log"; exit 1; }

# The game runs in the work folder, which has a data/ of its own (a link),
# so F12 writes its screenshots there.
ln -s "$data" "$work/data"
cp "$map" "$work/arena.t3bsp"
cd "$work" || exit 1

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

"$tarvo" --map arena.t3bsp --record arena.dem >"$work/log" 2>&1 &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
[ -n "$wid" ] || fail "no window titled \"Tarvo 3D Engine\""
sleep 1
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 0.3

# Every key is held for several ticks, so a poll sees it down.
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
hold w 0.4
xdotool keydown Control_L; sleep 1.5
xdotool mousemove_relative -- -30 0; sleep 0.4
xdotool mousemove_relative -- -30 0; sleep 0.8
xdotool keyup Control_L
hold r 0.3; sleep 0.5
xdotool mousemove_relative -- 90 0; sleep 0.2
xdotool keydown d; xdotool mousedown 1; sleep 1.0; xdotool keyup d; sleep 1.0; xdotool mouseup 1
hold F12 0.3
sleep 0.3
hold Escape 0.3
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "Escape did not end the game"
wait "$game"; status=$?
[ "$status" -eq 0 ] || fail "recording: exit status $status"

grep -q '^record: wrote [0-9]* ticks to ".*/arena.dem"$' "$work/log" || fail "no line saying the demo was written"
[ -s arena.dem ] || fail "no demo file"
recorded=$(sed -n 's/^end //p' arena.dem)
echo "recorded: $recorded"
grep -q "^screenshot: wrote $work/screenshots/tarvo-0000.png$" "$work/log" || fail "F12 did not log its screenshot"
[ "$(head -c 4 screenshots/tarvo-0000.png 2>/dev/null | tail -c 3)" = PNG ] ||
  fail "F12 did not write a PNG at screenshots/tarvo-0000.png"

for mode in playdemo timedemo; do
  "$tarvo" --$mode arena.dem >"$work/$mode.log" 2>&1; status=$?
  [ "$status" -eq 0 ] || fail "--$mode: exit status $status"
  replayed=$(grep '^demo end: ' "$work/$mode.log")
  echo "$mode: $replayed"
  grep '^demo: ' "$work/$mode.log"
  [ "$replayed" = "$recorded" ] || fail "--$mode ended on another line than the recording"
done
grep -q '^timedemo: [0-9]* ticks, [0-9]* frames in [0-9.]* s = [0-9]*\.[0-9] fps$' "$work/timedemo.log" ||
  fail "no timedemo result line"
[ -n "$keep" ] && cp arena.dem "$keep"
echo "PASS"
