// What a correct game keeps true after every tick of a level, checked
// against the state the tick left and the state before it.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "player/player.h"

struct entity;
struct game_state;

// What the watch remembers of one enemy or item between ticks.
struct watched_entity {
  int32_t type;
  int32_t state;
  int32_t health;
};

struct play_watch {
  double low[3], high[3];  // the corners of the box around the level's polygons
  player before;           // the player as the previous tick left it
  std::unordered_map<const entity*, watched_entity> enemies, items;
  size_t longest_list;  // entries, the head included
};

// Starts watching the level `gs` has just loaded: its box, the player and
// the entities as they start. "" when the fresh level already keeps the
// rules, else what it breaks.
std::string play_watch_start(play_watch& w, const game_state& gs);

// Checks the state a tick left: every number finite, the entity list linked
// both ways and bounded, enemy states and frames in range, nothing outside
// the level's box unless it is below the level (falling to its death), and
// the player's health, ammunition and counters changed only as shots,
// hits, kills and items allow. "" when everything holds, else the first
// rule broken. Keeps the state for the next tick.
std::string play_watch_tick(play_watch& w, const game_state& gs);
