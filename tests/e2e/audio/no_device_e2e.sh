#!/usr/bin/env bash
# The real game with no audio device at all: OpenAL is told to use a backend
# that does not exist. The start-up must pass its audio steps, the game must
# keep running (a level when a compiled map is there, else the menus), and
# Escape must end it cleanly.
# Usage: no_device_e2e.sh TARVO DATA_DIR
set -u
tarvo=$1 data=$2
work=$(mktemp -d)
trap 'kill "$game" "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=no_such_backend

args=()
map=$(ls "$data"/maps/*.t3bsp 2>/dev/null | head -n 1)
[ -n "$map" ] && args=(--map "$map")
"$tarvo" "${args[@]}" >"$work/log" 2>"$work/err" &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
[ -n "$wid" ] || { echo "FAIL: no window"; cat "$work/log" "$work/err"; exit 1; }
sleep 2
kill -0 "$game" 2>/dev/null || { echo "FAIL: the game stopped without sound"; cat "$work/log" "$work/err"; exit 1; }

xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool keydown Escape; sleep 1.5; xdotool keyup Escape
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && { echo "FAIL: Escape did not end the game"; tail "$work/log"; exit 1; }
wait "$game"; status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; cat "$work/err"; exit 1; }

for line in "passed ini audio " "passed init_entaudio" "passed ogl" "passed initplayer"; do
  grep -qF -- "$line" "$work/log" || { echo "FAIL: \"$line\" missing"; cat "$work/log"; exit 1; }
done
if [ -n "$map" ] && ! grep -qF "reading elist.." "$work/log"; then
  echo "FAIL: the level was not loaded"; cat "$work/log"; exit 1
fi
# No device is not an error of its own: nothing about OpenAL is reported.
if grep -q "OpenAL" "$work/log"; then echo "FAIL: OpenAL complained"; grep OpenAL "$work/log"; exit 1; fi
echo "PASS: ${map:-menus} without an audio device"
