// Small BSP trees built in memory for the movement tests.
#pragma once

#include <memory>
#include <vector>

#include "world/bsp_node.h"

// Owns every node, polygon and vertex of one hand-built tree.
struct test_tree {
  std::vector<std::unique_ptr<bsp_node>> nodes;
  std::vector<std::unique_ptr<bsp_polygon>> polygons;
  std::vector<std::unique_ptr<map_vertex>> vertices;
  bsp_node* root = nullptr;

  // A leaf: empty when `solid` is false.
  bsp_node* leaf(bool solid);
  // An inner node whose plane passes through `point` with normal `normal`;
  // `front` is the side the normal points to.
  bsp_node* split(const double point[3], const double normal[3], bsp_node* front, bsp_node* back);
};

// A floor at y = 0, solid below.
void build_floor(test_tree& tree);

// The floor, and a wall at x = wall_x, solid for x > wall_x at every height.
void build_floor_and_wall(test_tree& tree, double wall_x);

// The floor, and a step of height `height` covering x > step_x.
void build_floor_and_step(test_tree& tree, double step_x, double height);

// The floor and a ceiling at y = ceiling_y, solid above.
void build_floor_and_ceiling(test_tree& tree, double ceiling_y);

// A room: floor, ceiling at 4, walls at x = -10, x = 10, z = -10, z = 10,
// and a step of height 0.5 for x > 5. Used for the longer runs.
void build_room(test_tree& tree);
