#!/usr/bin/env bash
# Plays a compiled map under an Xvfb of its own, with real X key events:
# holding the forward key moves the view, the grave-accent key opens the
# console, a typed variable line and its echo appear in the console's
# history while the keys typed move nothing, the key closes the console again, and "quit" typed in the
# console ends the program with status 0.
# Usage: input_e2e.sh TARVO MAP
# Exits 77 (skipped) when the map has not been generated.
set -u
tarvo=$1 map=$2
[ -r "$map" ] || { echo "SKIP: no map $map"; exit 77; }
work=$(mktemp -d)
# KEEP_SHOTS=DIR keeps the screenshots there for a look after a failure.
trap 'kill "$game" "$xvfb" 2>/dev/null; [ -n "${KEEP_SHOTS:-}" ] && cp "$work"/*.png "$KEEP_SHOTS"; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

"$tarvo" --map "$map" >"$work/log" 2>"$work/err" &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
if [ -z "$wid" ]; then
  echo "FAIL: no window titled \"Tarvo 3D Engine\""; cat "$work/err"; exit 1
fi
sleep 2
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 0.5

shot() { xwd -id "$wid" -silent | convert xwd:- "$work/$1.png"; }
# Pixels that differ between two screenshots.
differ() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
# One key held across several ticks, so that a poll sees it down. With
# "shift" the shift key is held around it.
press() {
  [ "${2:-}" = shift ] && xdotool keydown Shift_L
  xdotool keydown "$1"; sleep 0.08; xdotool keyup "$1"
  [ "${2:-}" = shift ] && xdotool keyup Shift_L
  sleep 0.06
}
type_line() {
  local text=$1 i c
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    case "$c" in
      ' ') press space ;;
      _) press minus shift ;;
      *) press "$c" ;;
    esac
  done
  press Return
}
fail() { echo "FAIL: $1"; cat "$work/err"; exit 1; }

read -r width height < <(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')
total=$((width * height))
[ "$total" -gt 0 ] || fail "no window size"

# The level stands still without input.
shot still1; sleep 0.5; shot still2
[ "$(differ still1 still2)" -lt $((total / 100)) ] || fail "the view changes without input"

# Forward: the view moves.
xdotool keydown w; sleep 0.4; xdotool keyup w; sleep 0.5
shot moved
moved=$(differ still2 moved)
echo "forward changed $moved of $total pixels"
[ "$moved" -gt $((total / 4)) ] || fail "holding forward did not move the view"

# The player slides on for a few seconds after a push; wait until the view
# stands still again (at most 12 s).
for _ in $(seq 24); do
  shot slide1; sleep 0.5; shot slide2
  [ "$(differ slide1 slide2)" -lt $((total / 1000)) ] && break
done
shot moved

# The grave-accent key opens the console over the view.
press grave; sleep 0.3
shot console
opened=$(differ moved console)
echo "console changed $opened pixels"
[ "$opened" -gt $((total / 50)) ] || fail "the grave-accent key did not open the console"

# A variable line: the console's history, just above the panel's lower
# edge at its left, shows the typed line and the echo of the new value.
# The keys typed are text only: the movement and reload keys of a second
# line (w, a, s, d and r) neither move the player nor reload, so the lower
# half of the window, below the panel, stays as it was.
type_line "vid_fov 30"; sleep 0.3
shot typed
type_line "wasd wasd r"; sleep 0.3
shot typed_more
lower_half() { convert "$work/$1.png" -crop "${width}x$((height / 2))+0+$((height / 2))" +repage "$work/$2.png"; }
lower_half typed typed_lower
lower_half typed_more typed_more_lower
stirred=$(differ typed_lower typed_more_lower)
echo "typing in the console changed $stirred pixels of the lower half"
[ "$stirred" -lt $((total / 200)) ] || fail "keys typed into the console reached the player"
history_strip() { convert "$work/$1.png" -crop "$((width / 4))x$((height * 14 / 100))+0+$((height * 35 / 100))" +repage "$work/$2.png"; }
history_strip console console_history
history_strip typed typed_history
echoed=$(differ console_history typed_history)
echo "the history strip changed $echoed pixels"
[ "$echoed" -gt 200 ] || fail "the typed line and its echo did not show in the console history"

# The grave-accent key again closes the console: the panel is gone.
press grave; sleep 0.5
shot closed
panel_half() { convert "$work/$1.png" -crop "${width}x$((height / 2))+0+0" +repage "$work/$2.png"; }
panel_half typed_more typed_top
panel_half closed closed_top
gone=$(differ typed_top closed_top)
echo "closing changed $gone pixels of the upper half"
[ "$gone" -gt $((total / 8)) ] || fail "the grave-accent key did not close the console"

# quit, typed in the console, ends the program.
press grave; sleep 0.3
type_line quit
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "quit did not end the game"
wait "$game"; status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS"
