// Small compiled levels for the weapon and pickup tests, and a player standing in them.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "config/key_state.h"
#include "config/mouse_state.h"
#include "player/player.h"
#include "tests/mapc/mapc_load.h"

// The legend every test grid uses: '#' solid, '.' an open hall cell (floor 0,
// ceiling 8), 'P' the player start, and one character per enemy and pickup
// kind as in levels/range.lvl (w 2 3 4 5 6 7 8 9 A D F B C for the enemies,
// m s e c h M for the pickups). One character is 2 x 2 units; north (-z) is
// at the top, so a player at yaw 0 looks up the grid.
extern const char* weapons_legend;

struct weapons_level {
  mapc_source src;
  mapc_result result;
  loaded_map map;
  player p{};
  double tick = 1.0 / 60.0;  // seconds per tick (1 / vid_fps)
};

// Compiles the rows of `grid` (without the "grid"/"end" lines) under the
// legend, loads the result with the game's readers and puts a fresh player
// on the start, facing north.
testing::AssertionResult load_weapons_level(const std::string& grid, weapons_level& l);
void free_weapons_level(weapons_level& l);

// The first entity of `type` after the head, or null.
entity* first_of_type(const weapons_level& l, int type);
// How many entities of `type` the list holds.
int count_of_type(const weapons_level& l, int type);

// The slot a character key reads, and the control key the fire binding names.
inline int char_slot(char c) { return c - 33; }

// The keyboard as the poll leaves it: a key that went down reads key_pressed
// on its first tick and key_held after; one that went up reads key_released
// for one tick, then key_up.
struct held_keys {
  key_state keys{};
  bool down[key_slot_count] = {};
  // Moves every slot on by one tick from what `down` says now.
  const key_state& poll();
};
