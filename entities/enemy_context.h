// What an enemy's state handler works with during one tick.
#pragma once

struct ai_node;
struct bsp_node;
struct entity;
struct player;

struct enemy_context {
  player& the_player;
  const bsp_node* root;  // the level's tree, for every sight and movement test
  ai_node* nodes;        // the level's navigation nodes, null when it has none
  entity* list;          // the list head
  double dt;             // tick length, seconds
};

// A state handler: one tick of an enemy in that state.
using state_handler = void (*)(entity& e, enemy_context& c);
