#!/usr/bin/env bash
# Writes a grid level of N x N rooms joined by doorways, for measuring how
# the compiler and the game scale with the size of a map: rooms of 16 x 16
# units, each with a light, a crate and a pillar (both marked detail, so the
# visible sets are worked out room by room), every fourth with an
# ent_mob3, the doorways staggered; the player starts in the north-west room
# and the exit stands in the room east of it, so a walk from start to exit
# is the same in every size while most of the map stays hidden behind walls.
# Usage: bench/scale_level.sh N OUT.lvl
set -euo pipefail
n=${1:?rooms per side}
out=${2:?output .lvl}
awk -v n="$n" '
function near(rx, ry, wall,   h) {
  h = (rx * 37 + ry * 59 + wall * 13) % 1009
  h = (h * h * 31 + h * 17 + 11) % 1009
  return h % 2 == 0 ? 2 : 6
}
BEGIN {
  print "// " n " x " n " rooms joined by doorways (bench/scale_level.sh)"
  print "cell 2"
  print "minlight 30"
  print "solid # metal_wall"
  print "solid o metal_wall"
  print "kind room 0 6 floor_tiles ceiling_panel metal_wall"
  print "kind door 0 4 floor_tiles ceiling_panel metal_wall"
  print "kind crate 1 6 crate ceiling_panel crate"
  print "key . room"
  print "key d door"
  print "key c crate"
  print "key P room player_start"
  print "key E room ent_exit"
  print "key m room ent_mob3"
  print "key L room light light 300"
  print "detail c"
  print "detail o"
  print "grid"
  side = n * 9 + 1
  for (y = 0; y < side; y++) {
    row = ""
    for (x = 0; x < side; x++) {
      rx = int(x / 9); ry = int(y / 9); cx = x % 9; cy = y % 9
      ch = "."
      if (cx == 0 || cy == 0) {
        ch = "#"
        # doorways two cells wide in each inner wall, near one end or the
        # other as a hash of the room and the wall picks, so no line of
        # sight runs down a row, a column or a diagonal of rooms; the
        # doorways of a room do not depend on the size of the map
        if (cx == 0 && x > 0 && x < side - 1 && (cy == near(rx, ry, 1) || cy == near(rx, ry, 1) + 1)) ch = "d"
        if (cy == 0 && y > 0 && y < side - 1 && (cx == near(rx, ry, 2) || cx == near(rx, ry, 2) + 1)) ch = "d"
      } else if (cx == 2 && cy == 2) ch = "o"
      else if ((cx == 6 || cx == 7) && (cy == 6 || cy == 7)) ch = "c"
      else if (cx == 4 && cy == 4) ch = "L"
      else if (cx == 3 && cy == 6 && rx == 0 && ry == 0) ch = "P"
      else if (cx == 3 && cy == 6 && rx == 1 && ry == 0) ch = "E"
      else if (cx == 7 && cy == 3 && (rx + ry * n) % 4 == 3) ch = "m"
      row = row ch
    }
    print row
  }
  print "end"
}' > "$out"
