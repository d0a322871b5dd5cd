// Shared set-up for the movement tests: a fresh player and an input tick.
#pragma once

#include "config/config_table.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "player/player.h"

// A player as the game starts it, standing at `x, y, z`.
inline player fresh_player(double x, double y, double z) {
  config_table table{};
  set_config_defaults(table);
  player p{};
  player_init(p, table);
  p.pos[0] = x;
  p.pos[1] = y;
  p.pos[2] = z;
  return p;
}

// The slot a character key code reads.
inline int char_slot(char c) { return c - 33; }
