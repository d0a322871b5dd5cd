// The enemy states that move it: chasing the player, finding and walking a route.
#include "entities/enemy_nav_states.h"

#include <cstdio>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/ai_path.h"
#include "entities/enemy_animation.h"
#include "entities/enemy_context.h"
#include "entities/enemy_sight.h"
#include "entities/floor_gap.h"
#include "entities/steer_toward.h"
#include "player/player.h"
#include "world/ai_node.h"
#include "world/ai_nodes_read.h"

namespace {

constexpr double chase_stop_distance = 5.0;
constexpr double route_stop_distance = 1.0;
constexpr double node_stop_distance = 0.1;
constexpr double chase_time = 1.2;
constexpr double boss1_chase_time = 2.0;
constexpr double height_to_skip_gap_test = 2.0;

// How a gap check is made: the route states log it and skip it while the
// enemy stands well above the player.
enum gap_check_kind { gap_check_chase, gap_check_route };

// Stops to aim when a gap in the floor lies between the enemy and `toward`.
// Once passed (ai_flag 1) the test is not repeated until a state clears
// ai_flag. True when the enemy went to aim: the handler ends there.
bool stopped_at_gap(entity& e, const enemy_context& c, const double toward[3], gap_check_kind kind) {
  const bool route = kind == gap_check_route;
  if (route && e.pos[1] - c.the_player.pos[1] >= height_to_skip_gap_test) e.ai_flag = 1;
  if (e.ai_flag != 0) return false;
  if (route) printf("got testpoints..!\n");
  if (floor_gap(c.root, e.pos, toward)) {
    e.ai_flag = 0;
    e.state_timer = 0.0;
    e.aux_timer = 0.0;
    e.frame = 9;
    e.state = ::s_aim;
    return true;
  }
  if (route) printf("passed!\n");
  e.ai_flag = 1;
  return false;
}

void node_position(const ai_node& node, double out[3]) {
  out[0] = node.x;
  out[1] = node.y;
  out[2] = node.z;
}

// Where a route ended or could not be walked on: the worker rests, the
// others look for a new route.
int32_t after_route(const entity& e) { return e.type == ent_worker ? ::s_idle : ::s_get_path; }

void print_route(const int32_t* path, int32_t length, int32_t start, int32_t goal) {
  printf("the path between %d and %d is ", start, goal);
  for (int32_t i = 0; i < length; ++i) printf("%d ", path[i]);
  printf("\n");
}

// The node the route is walking to, or null (logged) when path_pos names no
// entry of the array or the entry names no node.
ai_node* route_target(entity& e, const enemy_context& c, int32_t node_count) {
  const bool in_array = e.path && e.path_pos >= 0 && e.path_pos < node_count;
  const int32_t id = in_array ? e.path[e.path_pos] : -1;
  ai_node* node = in_array ? ai_node_find(c.nodes, id) : nullptr;
  if (!node) {
    printf("invalid target when finding node %d\n", id);
    printf("path idx %d, len %d\n", e.path_pos, e.path_len);
  }
  return node;
}

}  // namespace

namespace enemy_states {

void s_chase(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  const player& p = c.the_player;
  if (stopped_at_gap(e, c, p.pos, gap_check_chase)) return;
  if (!enemy_sees_player(e, p, c.root)) {
    printf("getting path...\n");
    // Only exactly level with the player does it look for a route.
    if (e.pos[1] == p.pos[1]) e.state = ::s_get_path;
  }
  steer_toward(e, c.root, p.pos, chase_stop_distance, c.dt);
  if (e.type != ent_worker) {
    e.aux_timer += c.dt;
    if (e.aux_timer > (e.type == ent_boss1 ? boss1_chase_time : chase_time)) {
      e.state = ::s_aim;
      e.frame = 9;
      e.ai_flag = 0;
      e.state_timer = 0.0;
      e.aux_timer = 0.0;
    }
  }
  animation_clock(e, anim_walk, frame_at_start, c.dt);
}

void s_get_path(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  printf("state s_get_path\n");
  int32_t goal;
  if (e.type == ent_worker) {
    e.ai_flag = 1;
    goal = find_hidden_node(c.nodes, c.root, c.the_player.pos);
  } else {
    goal = find_nearest_visible_node(c.nodes, c.root, c.the_player.pos);
  }
  const int32_t start = find_nearest_visible_node(c.nodes, c.root, e.pos);

  if (goal == -1 || start == -1) {
    printf("get node failed!\n");
    e.state = ::s_idle;
  } else if (goal == start) {
    e.target_node = ai_node_find(c.nodes, goal);
    if (e.target_node) {
      printf("did NOT return null... tnode is %d\n", e.target_node->id);
      e.state = e.type == ent_worker ? ::s_idle : ::s_go_to_node;
    } else {
      e.state = ::s_idle;
    }
  } else {
    e.path_len = 0;
    delete[] e.path;
    e.path = find_path(c.nodes, start, goal, &e.path_len);
    if (e.path) {
      printf("path exists\n");
      print_route(e.path, e.path_len, start, goal);
      e.path_pos = 0;
      e.state = ::s_follow_path;
    } else {
      printf("does not exist\n");
      printf("deciding thing\n");
      printf("going back to IDLE\n");
      e.vel[0] = e.vel[1] = e.vel[2] = 0.0;
      e.state = ::s_idle;
    }
  }
  animation_clock(e, anim_hold_first, frame_at_start, c.dt);
}

void s_follow_path(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  if (e.type != ent_worker && enemy_sees_player(e, c.the_player, c.root)) {
    e.ai_flag = 0;
    e.state = ::s_chase;
  }
  const int32_t n = ai_node_count(c.nodes);
  e.target_node = route_target(e, c, n);
  if (!e.target_node) {
    e.path_pos = 0;
    e.state = ::s_idle;
    return;
  }
  double target[3];
  node_position(*e.target_node, target);
  if (stopped_at_gap(e, c, target, gap_check_route)) return;

  bool finished = false;
  if (steer_toward(e, c.root, target, route_stop_distance, c.dt) == 1) {
    printf("reached node %d\n", e.path[e.path_pos]);
    e.path_pos += 1;
    finished = e.path_pos >= n || e.path[e.path_pos] == path_filler;
  }
  if (e.path_pos > e.path_len) finished = true;
  if (finished) {
    e.path_pos = 0;
    e.state = after_route(e);
  }
  animation_clock(e, anim_walk, frame_at_start, c.dt);
}

void s_go_to_node(entity& e, enemy_context& c) {
  if (e.type != ent_worker && enemy_sees_player(e, c.the_player, c.root)) {
    printf("seeing the player again...\n");
    e.ai_flag = 0;
    e.state = ::s_chase;
  }
  if (!e.target_node) {  // only s_get_path sends an enemy here, with a node
    e.state = ::s_idle;
    return;
  }
  double target[3];
  node_position(*e.target_node, target);
  if (stopped_at_gap(e, c, target, gap_check_route)) return;
  if (steer_toward(e, c.root, target, node_stop_distance, c.dt) == 1) {
    printf("reached target node..!\n");
    e.state = after_route(e);
  }
}

}  // namespace enemy_states
