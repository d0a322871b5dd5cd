#!/usr/bin/env bash
# Starts the real game under an Xvfb of its own, checks the start-up log and
# the window's title, then ends it the way a player would: a real Escape key
# press (mode "escape") or the window's close request (mode "close").
# Usage: startup_e2e.sh TARVO SEND_CLOSE MODE EXPECTED_LINES_FILE
set -u
tarvo=$1 send_close=$2 mode=$3 expected=$4
work=$(mktemp -d)
trap 'kill "$game" "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

"$tarvo" >"$work/log" 2>"$work/err" &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
if [ -z "$wid" ]; then
  echo "FAIL: no window titled \"Tarvo 3D Engine\""; cat "$work/log" "$work/err"; exit 1
fi
echo "window $wid: $(xdotool getwindowname "$wid")"
sleep 1

case "$mode" in
  escape)
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    # Held longer than one tick: the default vid_fps is 1.
    xdotool keydown Escape; sleep 1.5; xdotool keyup Escape ;;
  close)
    "$send_close" "$wid" ;;
esac

for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game" 2>/dev/null; then
  echo "FAIL: the game did not end after $mode"; cat "$work/log"; exit 1
fi
wait "$game"; status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; cat "$work/err"; exit 1; }

# The expected lines, each found after the previous one. A line may end one
# that an earlier message left open (a missing sound's error has no line end).
at=0
while IFS= read -r line; do
  [ -z "$line" ] && continue
  found=$(awk -v want="$line" -v from="$at" 'NR > from && substr($0, length($0) - length(want) + 1) == want { print NR; exit }' "$work/log")
  if [ -z "$found" ]; then
    echo "FAIL: \"$line\" missing or out of order"; cat "$work/log"; exit 1
  fi
  at=$found
done < "$expected"
if [ "$mode" = close ] && ! grep -qx 'whoops' "$work/log"; then
  echo "FAIL: no \"whoops\" after the close request"; tail "$work/log"; exit 1
fi
if [ "$mode" = escape ] && grep -qx 'whoops' "$work/log"; then
  echo "FAIL: Escape ended the game through a close request"; exit 1
fi
echo "PASS: $mode"
