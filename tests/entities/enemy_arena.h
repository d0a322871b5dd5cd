// Small compiled levels for the enemy tests, and the entity half of the game tick over them.
#pragma once
#include <string>
#include <vector>

#include "config/key_state.h"
#include "player/player.h"
#include "tests/tools/mapc/mapc_load.h"

struct entity;

// A grid level compiled by the map compiler and read by the game's readers,
// with a player of its own.
struct arena {
  loaded_map map;
  player p{};
  key_state keys{};
  double dt = 1.0 / 60.0;
  std::string log;  // what the ticks printed

  ~arena();
  // Compiles `grid` (the lines between "grid" and "end") under a legend with
  // '.' floor, '#' wall, 'P' player start, 'L' light and `extra_keys`; the
  // player stands on its start. False (with a test failure) when it does not
  // compile or load.
  bool build(const std::vector<std::string>& grid, const std::string& extra_keys = "");

  // The entity walk and the prune pass of one game tick, `n` times, with the
  // player standing still (moved only by its velocity when `move_player`).
  void tick(int n = 1, bool move_player = false);
  // Ticks until `done` holds or `limit` ticks have run; returns the ticks run.
  template <typename F>
  int tick_until(F done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return i;
      tick();
    }
    return limit;
  }

  entity* head() const { return map.head; }
  // The first entity of `type` in list order, or null.
  entity* first(int type) const;
  // How many entities of `type` the list holds.
  int count(int type) const;
  // Puts the player's feet at (x, y, z).
  void put_player(double x, double y, double z);
};

// The legend line that gives character `c` an entity class on open floor.
std::string entity_key(char c, const std::string& class_name);
