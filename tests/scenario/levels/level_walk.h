// Playing a loaded level through the real game tick: routes over its
// navigation nodes and a steering player that holds keys and moves the mouse.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
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

// The player that plays the levels as a person would. It sees what the
// game lets a player see (bsp_segment_clear from its eye), notices an enemy
// no sooner than 0.3 s after it comes into view, turns at most 360 degrees a
// second and aims each shot with an error drawn from +-3 degrees. It walks
// its way, takes the items near it, fights what it has noticed with the best
// gun for it while strafing, reloads behind cover when it can and backs off
// along its way when its health is low. Seeded, so a run replays.
struct walker {
  std::vector<walk_point> way;
  size_t next = 0;        // the way point walked to
  size_t back = 0;        // the way point backed off to
  size_t back_limit = 0;  // and the farthest it backs off
  uint64_t rng = 1;       // the seeded draws
  int tick = 0;
  int last_health = 100;
  double react = 0.3;                        // seconds from sight to notice
  std::vector<std::pair<int, int>> in_view;  // enemy id, tick it came into view
  double aim_error[2] = {0, 0};              // yaw and pitch error of the next shot, degrees
  int last_gun = -1, last_loaded = 0;        // to see a shot leave
  int strafe = 1, strafe_ticks = 0;
  int item = -1, item_ticks = 0;  // the item fetched, and for how long
  std::vector<int> given_up;      // items not reached in time
  int hold_ticks = 0;             // waiting in cover after backing off
  int brave_ticks = 0;            // fighting on, however hurt
  int cover_ticks = 0;            // backing off to reload
  int cover_point = -1;           // to the way point no enemy in view sees
  int gun_key_ticks = 0;          // a gun key was pressed: release it first
  int mode = 0;                   // 0 walking, 1 backing off, 2 fighting, 3 waiting in cover
  double best = 1e30;
  bool stepped_back = false;  // went back a way point to get round a corner
  int stalled = 0, jump_ticks = 0;
};

// What the walker does in one tick: the virtual keys it holds, the mouse
// counts and the fire button.
struct walker_input {
  std::vector<int> keys;
  int32_t dx = 0, dy = 0;
  bool fire = false;
};

// A walker on `way` with its draws seeded by `seed`.
walker walker_new(const std::vector<walk_point>& way, uint32_t seed);

// Sets the walker on `way` from its first point, keeping what it has seen.
// Nothing for an empty way.
void walker_new_way(walker& w, const std::vector<walk_point>& way);

// One tick of the walker's mind, from what the player sees before the tick.
walker_input walker_step(walker& w, const player& p, const entity* entity_list, const bsp_node* root,
                         double dt);

// Whether the walker's keys hold `vk` (for the keyboard poll of its tick).
bool walker_key_down(int vk);
// Makes `in` the keys walker_key_down answers for.
void walker_hold(const walker_input& in);

// What a walk ended with.
struct walk_outcome {
  bool level_done = false;    // level_done_flag went up
  bool reached_goal = false;  // the player's feet came within goal_radius of the goal
  bool died = false;
  int ticks = 0;
  walk_point end{0, 0, 0};
  std::string log;  // where the walk got stuck, for the failure message
};

// Plays `p` along `route` (node ids) and then onto `goal` with a walker,
// one game tick at a time as the running game does it: entities_update,
// entities_prune, then player_update with the walker's keys and mouse. Gives
// up after `max_ticks` or when it makes no headway for ten seconds. Stops as
// soon as level_done_flag is set or, when `stop_at_goal`, the goal is within
// `goal_radius` of the feet.
walk_outcome walk_route(player& p, entity* entity_list, const bsp_node* root, ai_node* nodes,
                        const std::vector<int>& route, const walk_point& goal, double goal_radius,
                        bool stop_at_goal, int max_ticks);
