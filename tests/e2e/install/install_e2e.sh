#!/usr/bin/env bash
# The installed game: `cmake --install` into a scratch prefix, every file in
# its place, then the installed executable started from elsewhere under an
# Xvfb of its own by a user who cannot write the installed data folder. It
# finds its data, keeps its config, save and screenshots in the user's
# folder, and Alt+Enter takes it to fullscreen on a desktop without its mode
# and back; the committed demos replay on it to their recorded end lines.
# Last, `cpack -G DEB` makes a package that depends on runtime libraries only.
# Usage: install_e2e.sh BUILD_DIR
# Exits 77 (skipped) without the generated data.
set -u
build=$1
[ -r "$build/data/config.cfg" ] || { echo "SKIP: no generated data in $build/data"; exit 77; }
work=$(mktemp -d)
chmod 755 "$work"
game= xvfb= wm=
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; [ -n "$wm" ] && kill "$wm" 2>/dev/null;
      [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null;
      [ -n "${KEEP_SHOTS:-}" ] && mkdir -p "$KEEP_SHOTS" && cp "$work"/*.png "$work/log" "$KEEP_SHOTS";
      [ -n "${KEEP_WORK:-}" ] && cp "$work/log" "$KEEP_WORK.log"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $1"; [ -f "$work/log" ] && tail -n 30 "$work/log"; exit 1; }

# 1. The files.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
for f in bin/tarvo share/tarvo/data/config.cfg share/tarvo/data/maps/facility.t3bsp \
         share/tarvo/data/textures/title.webp share/tarvo/data/sound/menu.opus share/tarvo/readme.txt \
         share/tarvo/credits.txt share/applications/tarvo.desktop share/icons/hicolor/64x64/apps/tarvo.png \
         share/man/man6/tarvo.6.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/tarvo" ] || fail "bin/tarvo is not executable"
[ -e "$prefix/share/tarvo/data/save.sav" ] && fail "a save file was installed"
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/64x64/apps/tarvo.png")" = 64x64 ] || fail "the icon is not 64x64"
grep -qx 'Exec=tarvo' "$prefix/share/applications/tarvo.desktop" || fail "the desktop entry does not run tarvo"
grep -qx 'Icon=tarvo' "$prefix/share/applications/tarvo.desktop" || fail "the desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tarvo.desktop" || fail "the desktop entry is not valid"
fi
zcat "$prefix/share/man/man6/tarvo.6.gz" | grep -q '^\.TH TARVO 6' || fail "the man page has no title line"
warnings=$(zcat "$prefix/share/man/man6/tarvo.6.gz" | groff -man -Tutf8 -ww -z 2>&1)
[ -z "$warnings" ] || fail "the man page does not format cleanly: $warnings"

# 2. The installed game, run by a user who cannot write its data folder.
home=$work/home
mkdir -p "$home" "$work/elsewhere"
user=()
if [ "$(id -u)" = 0 ]; then
  chown nobody "$home"
  user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -ac 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
# A window manager, as every desktop has: it is what makes a window cover the
# desktop when the game asks for the desktop's own fullscreen.
command -v openbox >/dev/null || { echo "SKIP: no openbox (scripts/packages.txt installs it)"; exit 77; }
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm=$!
sleep 1
unset XAUTHORITY XDG_DATA_HOME
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null HOME=$home

start_game() {
  (cd "$work/elsewhere" && exec "${user[@]}" "$prefix/bin/tarvo") >"$work/log" 2>"$work/err" &
  game=$!
  wid=$(timeout 20 xdotool search --sync --name '^Tarvo 3D Engine$' | head -n 1)
  [ -n "$wid" ] || { cat "$work/err"; fail "no window titled \"Tarvo 3D Engine\""; }
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
wait_log() {
  for _ in $(seq 150); do
    grep -qF -- "$1" "$work/log" && return 0
    sleep 0.1
  done
  fail "the log never showed \"$1\""
}
wait_exit() {
  for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && fail "$1 did not end the game"
  wait "$game"; local status=$?
  game=
  [ "$status" -eq 0 ] || fail "exit status $status after $1"
}
press() { xdotool keydown "$@"; sleep 0.15; xdotool keyup "$@"; sleep 0.6; }
# Escape until the game ends: a loaded machine may miss one press, and after a
# video restart the window to focus is a new one.
escape_out() {
  for _ in $(seq 15); do
    kill -0 "$game" 2>/dev/null || break
    local w
    w=$(xdotool search --name '^Tarvo 3D Engine$' 2>/dev/null | tail -n 1)
    [ -n "$w" ] && xdotool windowfocus "$w" 2>/dev/null
    xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
    for _ in $(seq 20); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  done
  wait_exit "Escape"
}
# The window's size; a video restart makes a new window, so it is looked up anew.
geometry() {
  wid=$(xdotool search --name '^Tarvo 3D Engine$' 2>/dev/null | tail -n 1)
  [ -n "$wid" ] && xdotool getwindowgeometry "$wid" 2>/dev/null | awk '/Geometry/ { print $2 }'
}
shot() { xwd -root -silent | convert xwd:- "$work/$1.png"; }
# Mean brightness (0 to 100) of a band of rows of a screenshot.
band() { convert "$work/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:int(100*mean)]' info:; }

folder=$home/.local/share/tarvo
start_game
wait_log "passed initplayer"
wait_log "user folder: data/ cannot be written; the save, screenshots and config go to \"$folder\""
wait_log "user folder: copied \"data/config.cfg\" to \"$folder/config.cfg\""
cmp -s "$folder/config.cfg" "$prefix/share/tarvo/data/config.cfg" || fail "the copied config differs from the shipped one"
grep -qF "opening file data/sound/menu.opus" "$work/log" || fail "the installed data was not found"

# A level start saves into the user's folder; F12 shoots into it.
# Space on the title (New Game), then on the story: pressed until the first
# level starts, since a loaded machine may still show the opening image.
sleep 2.5
for _ in $(seq 10); do
  grep -qF "opening file data/sound/music3.opus..." "$work/log" && break
  press space
done
wait_log "opening file data/sound/music3.opus..."
for _ in $(seq 50); do [ -s "$folder/save.sav" ] && break; sleep 0.1; done
[ "$(cat "$folder/save.sav" 2>/dev/null)" = "0 0 0 0" ] || fail "no save \"0 0 0 0\" in the user folder"
[ -e "$prefix/share/tarvo/data/save.sav" ] && fail "the game wrote into the installed data folder"
# The level loads while the keys wait: F12 is held until it runs.
sleep 1
for _ in $(seq 10); do
  grep -qF "screenshot: wrote" "$work/log" && break
  xdotool keydown F12; sleep 0.3; xdotool keyup F12; sleep 0.5
done
wait_log "screenshot: wrote $folder/screenshots/tarvo-0000.png"

# Alt+Enter: the desktop (1280x800) has no 1024x576 mode, so the window
# covers it with the picture in a 1280x720 band; again, the window is back.
[ "$(geometry)" = 1024x576 ] || fail "the window is $(geometry), not 1024x576"
press alt+Return
wait_log "Alt+Enter: fullscreen on"
wait_log "fullscreen: no 1024x576 display mode; using the desktop's 1280x800"
for _ in $(seq 30); do [ "$(geometry)" = 1280x800 ] && break; sleep 0.1; done
[ "$(geometry)" = 1280x800 ] || fail "fullscreen is $(geometry), not the desktop's 1280x800"
sleep 1
shot fullscreen
[ "$(band fullscreen 1280x36+0+0)" -le 1 ] || fail "no black bar above the picture"
[ "$(band fullscreen 1280x36+0+764)" -le 1 ] || fail "no black bar below the picture"
[ "$(band fullscreen 1280x600+0+100)" -ge 3 ] || fail "the picture is not in the middle of the screen"
press alt+Return
wait_log "Alt+Enter: fullscreen off"
for _ in $(seq 30); do [ "$(geometry)" = 1024x576 ] && break; sleep 0.1; done
[ "$(geometry)" = 1024x576 ] || fail "leaving fullscreen gave $(geometry), not the 1024x576 window"
escape_out

# A second run keeps the player's edited config and does not copy over it.
sed -i 's/^vid_fov .*/vid_fov 75/' "$folder/config.cfg"
start_game
wait_log "passed initplayer"
grep -qF "copied" "$work/log" && fail "the second run copied the config again"
grep -q '^vid_fov 75$' "$folder/config.cfg" || fail "the player's config was overwritten"
escape_out

# The committed demos, replayed by the installed game with its own data (in
# the smallest window, from the player's config), end as they were recorded.
source=$(cd "$(dirname "$0")/../../.." && pwd)
sed -i 's/^vid_mode .*/vid_mode 0/' "$folder/config.cfg"
REPLAY_AS="${user[*]}" "$source/tests/scenario/demo/replay_demos.sh" "$prefix/bin/tarvo" installed \
  "$source/tests/scenario/demo/arena.dem" "$source"/bench/demos/*.dem >"$work/replays.log" 2>&1 ||
  { cat "$work/replays.log"; fail "a committed demo does not replay on the installed game"; }

# 3. The Debian package.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$work"/deb/tarvo_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no package"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libopenal1 libwebp7 libopusfile0 libpng16-16 libgl1; do
  case "$depends" in *"$lib"*) ;; *) fail "the package does not depend on $lib: $depends" ;; esac
done
case "$depends" in *-dev*) fail "the package depends on a development package: $depends" ;; esac
dpkg-deb -c "$deb" | grep -q '\./usr/bin/tarvo$' || fail "the package has no /usr/bin/tarvo"
dpkg-deb -c "$deb" | grep -q '\./usr/share/tarvo/data/config.cfg$' || fail "the package has no data"
echo "PASS: installed, played from the user folder, fullscreen and back, packaged"
