// Playing a loaded level through the real game tick: routes over its
// navigation nodes and a steering player that holds keys and moves the mouse.
#pragma once
#include <string>
#include <vector>

struct ai_node;
struct bsp_node;
struct entity;
struct player;

// A point of the level, feet height.
struct walk_point {
  double x, y, z;
};

// The ids of the nodes from `from` to `to` along the links, shortest by
// distance walked (empty when the links do not join them).
std::vector<int> nav_route(const ai_node* nodes, int from, int to);

// The id of the node nearest `p` that a body standing at `p` could walk to:
// within a unit of its height, and in sight (its chest to the node's, a unit
// above the floor each); -1 when none.
int nav_node_near(const ai_node* nodes, const bsp_node* root, const walk_point& p);

// The node's position, or (0, 0, 0) when no node has the id.
walk_point nav_node_pos(const ai_node* nodes, int id);

// What a walk ended with.
struct walk_outcome {
  bool level_done = false;   // level_done_flag went up
  bool reached_goal = false;  // the player's feet came within goal_radius of the goal
  bool died = false;
  int ticks = 0;
  walk_point end{0, 0, 0};
  std::string log;  // where the walk got stuck, for the failure message
};

// Steers `p` along `route` (node ids) and then onto `goal`, one game tick at a
// time as the running game does it: entities_update, entities_prune, then
// player_update with the forward key held and the mouse turning the view.
// The player keeps its speed near a brisk walk so it holds its line on
// narrow ways, jumps when a step stops it, and gives up after `max_ticks` or
// when it makes no headway for ten seconds. Stops as soon as
// level_done_flag is set or, when `stop_at_goal`, the goal is within
// `goal_radius` of the feet.
walk_outcome walk_route(player& p, entity* entity_list, const bsp_node* root, ai_node* nodes,
                        const std::vector<int>& route, const walk_point& goal, double goal_radius,
                        bool stop_at_goal, int max_ticks);
