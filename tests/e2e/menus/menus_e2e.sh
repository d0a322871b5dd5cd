#!/usr/bin/env bash
# The game as a player meets it, under an Xvfb of its own with real X key
# presses, in a scratch data folder whose levels 0, 1 and 3 are a room with
# the exit beside the player start:
#   1. the opening image, then the title menu; New Game shows the story and
#      Space loads level 0, with "0 0 0 0" in data/save.sav; the level is
#      completed at once, the level-complete screen shows, and Space starts
#      level 1 with the save's first number 1;
#   2. a click skips the opening image, and Continue starts the saved level 3;
#   3. Right on Mouse Speed until it stops gives 0.01, Back writes it to the
#      config, a restart shows the same options, and the mouse at that speed
#      still turns the view the way it moves;
#   4. Quit on the title menu ends the program;
#   5. on Options, Controls, Forward is bound to I (Escape there goes back
#      instead of ending the game); after a restart I moves the player and W
#      does not.
# Usage: menus_e2e.sh TARVO MAPC DATA_DIR EXIT_ROOM.lvl
# KEEP_SHOTS=DIR keeps the screenshots and the last log there. Exits 77 (skipped) without the
# generated data.
set -u
tarvo=$1 mapc=$2 data=$3 room=$4
[ -d "$data/textures" ] && [ -d "$data/sound" ] && [ -r "$data/config.cfg" ] ||
  { echo "SKIP: no generated data in $data"; exit 77; }
work=$(mktemp -d)
game=
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; kill "$xvfb" 2>/dev/null;
      [ -n "${KEEP_SHOTS:-}" ] && mkdir -p "$KEEP_SHOTS" && cp "$work"/*.png "$work/log" "$KEEP_SHOTS";
      rm -rf "$work"' EXIT
fail() { echo "FAIL: $1 (line ${BASH_LINENO[0]}, from ${BASH_LINENO[1]:-})"; [ -f "$work/log" ] && tail -n 30 "$work/log"; exit 1; }

# The scratch data folder: the generated images, sounds and settings, and the
# exit room in place of the levels the test plays.
mkdir -p "$work/game/data/maps"
ln -s "$data/textures" "$work/game/data/textures"
ln -s "$data/sound" "$work/game/data/sound"
cp "$data/config.cfg" "$work/game/data/config.cfg"
"$mapc" --textures "$data/textures/world" "$room" "$work/game/data/maps/facility.t3bsp" >"$work/mapc.log" ||
  { cat "$work/mapc.log"; fail "the exit room does not compile"; }
cp "$work/game/data/maps/facility.t3bsp" "$work/game/data/maps/outside.t3bsp"
cp "$work/game/data/maps/facility.t3bsp" "$work/game/data/maps/tower.t3bsp"
save="$work/game/data/save.sav"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

# Starts the game in the scratch folder and waits for its window.
start_game() {
  (cd "$work/game" && exec "$tarvo") >"$work/log" 2>"$work/err" &
  game=$!
  wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
  [ -n "$wid" ] || fail "no window titled \"Tarvo 3D Engine\""
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
# Waits until the log holds `pattern` at least `count` times (10 s at most).
wait_log() {
  local pattern=$1 count=${2:-1}
  for _ in $(seq 100); do
    [ "$(grep -cF -- "$pattern" "$work/log")" -ge "$count" ] && return 0
    sleep 0.1
  done
  fail "the log never showed \"$pattern\" $count time(s)"
}
# Waits for the game to end by itself and checks its status.
wait_exit() {
  for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && fail "$1 did not end the game"
  wait "$game"; local status=$?
  game=
  [ "$status" -eq 0 ] || fail "exit status $status after $1"
}
# A key held across several ticks, then the menus' key pause waited out.
press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; sleep 0.6; }
shot() { xwd -id "$wid" -silent | convert xwd:- "$work/$1.png"; }
# The share (percent) of pixels that differ between two screenshots.
differ() {
  compare -metric AE -fuzz 5% "$work/$1.png" "$work/$2.png" null: 2>&1 |
    awk -v total="$(identify -format '%[fx:w*h]' "$work/$1.png")" '{ printf "%d", 100 * $1 / total }'
}
# The pixels that differ between two screenshots.
pixels_changed() { compare -metric AE -fuzz 5% "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1; }
# A menu key pressed until the window shows what it did, at most four times:
# on a busy machine the menus' key pause (counted in ticks) lasts longer
# than the sleep after a press, and a press made during it is not taken.
changed_within() {
  local from=$1 i
  for i in $(seq 8); do
    sleep 0.25
    shot step_after
    [ "$(pixels_changed "$from" step_after)" -gt 50 ] && return 0
  done
  return 1
}
step() {
  shot step_before
  for _ in 1 2 3 4; do
    press "$1"
    changed_within step_before && return 0
  done
  fail "$1 changed nothing on the menus"
}
# Right on the mouse speed until it stops at its floor: two presses in a row
# that change nothing.
right_to_floor() {
  local still=0
  for _ in $(seq 20); do
    shot step_before
    press Right
    if changed_within step_before; then still=0; else still=$((still + 1)); fi
    [ "$still" -ge 2 ] && return 0
  done
  fail "the mouse speed never stopped at its floor"
}
# A key pressed until the log shows `pattern` (3 s each time), at most three
# times: a busy machine may let a short press pass between two polls.
press_until_log() {
  local key=$1 pattern=$2
  for _ in 1 2 3; do
    press "$key"
    for _ in $(seq 30); do grep -qF -- "$pattern" "$work/log" && return 0; sleep 0.1; done
  done
  fail "$key never led to \"$pattern\""
}
# Escape held until the game ends (a pass that writes a file may be slow to
# poll the keys on a busy machine), at most 10 s; then its status checked.
wait_exit_escape() {
  xdotool keydown Escape
  for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  xdotool keyup Escape
  wait_exit "Escape"
}
# Pixels of plain red (the level-complete screen's texts).
red_pixels() {
  convert "$work/$1.png" -fuzz 25% -fill white -opaque red -fill black +opaque white -format '%[fx:int(mean*w*h)]' info:
}
# Takes screenshot `name` until it differs from `from` by more than
# `percent` (a slow frame may come late); false after 3 seconds.
shot_until() {
  local name=$1 from=$2 percent=$3
  for _ in $(seq 12); do
    shot "$name"
    [ "$(differ "$from" "$name")" -gt "$percent" ] && return 0
    sleep 0.25
  done
  return 1
}
# Takes screenshot `name` until it shows the level-complete screen's red
# texts; false after 3 seconds.
shot_until_red() {
  for _ in $(seq 12); do
    shot "$1"
    [ "$(red_pixels "$1")" -gt 1000 ] && return 0
    sleep 0.25
  done
  return 1
}
# The mean brightness of a screenshot, 0 to 100.
brightness() { convert "$work/$1.png" -colorspace Gray -format '%[fx:int(100*mean)]' info:; }

# 1. Splash, title, New Game, story, level 0, level complete, level 1.
start_game
wait_log "passed initplayer"  # flushed by the first tick: the menus run
sleep 0.3
shot splash
[ "$(brightness splash)" -gt 2 ] || fail "the opening image does not show"
sleep 1.5
shot_until title splash 30 || shot_until title splash 30 || fail "the title did not follow the opening image"
sleep 0.3
[ -e "$save" ] && fail "a save file exists before any level started"

press space
shot_until story title 30 || { press space; shot_until story title 30; } || fail "New Game did not show the story"
grep -qF "opening file data/sound/music3.opus..." "$work/log" && fail "New Game started a level before the story"

# Space on the story starts level 0 (its music is decoded as it starts);
# its exit stands beside the start, so it is over at once.
press_until_log space "opening file data/sound/music3.opus..."
[ "$(cat "$save")" = "0 0 0 0" ] || fail "the save holds \"$(cat "$save")\" after level 0 started, not \"0 0 0 0\""
wait_log "getting a vibe!"
wait_log "pass5"
grep -qF "reading elist.." "$work/log" || fail "level 0 was not loaded"
shot_until_red complete || fail "the level-complete screen does not show"

press_until_log space "opening file data/sound/music5.opus..."
read -r level rest <"$save"
[ "$level" = 1 ] || fail "the save holds \"$(cat "$save")\" after Space on the level-complete screen"
wait_log "getting a vibe!" 2
wait_exit_escape

# 2. A click skips the opening image; Continue starts the saved level.
printf '3 150 4 0' >"$save"
start_game
wait_log "passed initplayer"
xdotool mousemove --window "$wid" 200 200
xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
# Without the click the logo would stay for two seconds of play.
skipped=no
for _ in 1 2 3 4; do
  sleep 0.25
  shot clicked
  [ "$(differ title clicked)" -lt 10 ] && { skipped=yes; break; }
done
[ "$skipped" = yes ] || fail "a click did not skip the opening image"
step Down
press_until_log space "opening file data/sound/music6.opus..."
[ "$(cat "$save")" = "3 150 4 0" ] || fail "the save holds \"$(cat "$save")\" after Continue, not \"3 150 4 0\""
wait_log "getting a vibe!"
shot_until_red continued || fail "level 3 did not end on its level-complete screen"
wait_exit_escape

# 3. Options: Right takes the mouse speed down to its floor
# of 0.01 (never to 0 or below); Back writes it to the config, and after a
# restart the options page shows the same; the mouse still turns the view
# the way it moves.
skip_splash() {
  wait_log "passed initplayer"
  xdotool mousemove --window "$wid" 200 200
  xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
  sleep 1
}
start_game
skip_splash
step Down; step Down; step space  # the options page opens on "Back"
step Up; step Up; step Up; step Up  # over Apply, Controls and Skill to Mouse Speed
right_to_floor
shot options_set
step Down; step Down; step Down; step Down; step space
wait_exit_escape
grep -qx "m_speed 0.01" "$work/game/data/config.cfg" || fail "Back did not write m_speed 0.01 to the config"
start_game
skip_splash
step Down; step Down; step space
step Up; step Up; step Up; step Up
shot options_again
[ "$(differ options_set options_again)" -lt 1 ] || fail "the options page differs after a restart"
wait_exit_escape
# A level with detail to follow: the view turned by the mouse moves right
# to left when the mouse moves right (a part of the first picture is found
# further left in the second).
(cd "$work/game" && exec "$tarvo" --map "$data/maps/facility.t3bsp") >"$work/log" 2>"$work/err" &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
[ -n "$wid" ] || fail "no window for the level"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 1.5
shot before_turn
xdotool mousemove_relative -- 600 0; sleep 0.5
shot after_turn
small() { convert "$work/$1.png" -resize 25% "$work/$1_small.png"; }
small before_turn; small after_turn
read -r w h < <(identify -format '%w %h\n' "$work/before_turn_small.png")
# The upper middle: walls and ceiling, above the gun in hand.
convert "$work/before_turn_small.png" -crop "$((w / 4))x$((h / 4))+$((w * 3 / 8))+$((h / 8))" +repage "$work/middle.png"
found=$(compare -metric RMSE -subimage-search "$work/after_turn_small.png" "$work/middle.png" null: 2>&1 |
  sed -n 's/.*@ \([0-9]*\),.*/\1/p')
echo "the middle of the view moved from x $((w * 3 / 8)) to x $found (a quarter of the window's size)"
[ -n "$found" ] && [ "$found" -lt $((w * 3 / 8 - 3)) ] || fail "moving the mouse right did not turn the view right"
wait_exit_escape

# 4. Quit on the title menu.
start_game
wait_log "passed initplayer"
xdotool mousemove --window "$wid" 200 200
xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
sleep 0.4
for _ in 1 2 3 4 5; do step Down; done
shot quit_row
for _ in 1 2 3; do
  xdotool keydown space; sleep 0.15; xdotool keyup space
  for _ in $(seq 20); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null || break
done
wait_exit "Quit"
grep -qF "pass1" "$work/log" && fail "Quit went through a level"

# 5. Controls: Space on the Forward row, then I, binds it; Escape on the page
# goes back to the options instead of ending the game, and is saved.
start_game
skip_splash
step Down; step Down; step space  # options, on "Back"
step Up; step Up
step space                        # "Controls", on its first row: Forward
shot controls
# Space makes Forward wait for its key ("press a key" shows), then I binds
# it; a press a busy machine let pass unseen is pressed again.
for _ in 1 2 3 4 5 6; do
  grep -qx "in_forward 105" "$work/game/data/config.cfg" && break
  shot controls_now
  if [ "$(pixels_changed controls controls_now)" -gt 50 ]; then press i; else press space; fi
done
shot controls_bound
[ "$(pixels_changed controls controls_bound)" -gt 50 ] || fail "binding Forward changed nothing on the page"
press Escape
kill -0 "$game" 2>/dev/null || fail "Escape on the Controls page ended the game"
grep -qx "in_forward 105" "$work/game/data/config.cfg" || fail "the new binding of Forward was not saved"
wait_exit_escape
# On the range, whose start no enemy sees, W stands still and I walks.
(cd "$work/game" && exec "$tarvo" --map "$data/maps/range.t3bsp") >"$work/log" 2>"$work/err" &
game=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
[ -n "$wid" ] || fail "no window for the range"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 2
shot range_start
xdotool keydown w; sleep 0.4; xdotool keyup w; sleep 0.5
shot range_w
[ "$(differ range_start range_w)" -lt 2 ] || fail "W still moves the player after Forward was bound to I"
xdotool keydown i; sleep 0.6; xdotool keyup i; sleep 0.5
shot range_i
moved=$(differ range_w range_i)
echo "I changed $moved % of the view"
[ "$moved" -gt 5 ] || fail "I, the new Forward key, did not move the player"
wait_exit_escape
echo "PASS"
