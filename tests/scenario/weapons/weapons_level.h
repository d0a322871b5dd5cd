// Small compiled levels for the weapon and pickup tests, and the tick that drives them.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "config/key_state.h"
#include "config/mouse_state.h"
#include "player/player.h"
#include "tests/tools/mapc/mapc_load.h"

// A level compiled from grid rows and loaded with the game's readers, with a
// fresh player on its start facing north (up the grid). The legend: '#'
// solid, '.' open floor (ceiling 8), 'P' the start, and the enemy and item
// characters of levels/range.lvl (w 2-9 A D F B C for the enemies, m s e c h
// M for the items). One character is 2 x 2 units.
struct weapons_level {
  mapc_source src;
  mapc_result result;
  loaded_map map;
  player p{};
  double tick = 1.0 / 60.0;
  key_state keys{};
  bool down[key_slot_count] = {};  // keys held for the next tick
  mouse_state mouse{};

  ~weapons_level() { free_loaded_map(map); }
  // One tick of the level's logic in the game's order: the entity walk, the
  // prune pass, the player. Keys in `down` read key_pressed on their first
  // tick and key_held after, as the keyboard poll leaves them.
  void run(int ticks = 1);
  // Pulls the trigger of `gun` for exactly one shot through the weapon step.
  void fire_once(int gun);
  entity* first(int type) const;
  int count(int type) const;
};

testing::AssertionResult load_weapons_level(const std::string& rows, weapons_level& l);

inline int char_slot(char c) { return c - 33; }
