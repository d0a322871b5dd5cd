// Playing a loaded level through the real game tick: routes over its
// navigation nodes and a steering player that holds keys and moves the mouse.
#include "tests/levels/level_walk.h"

#include <cmath>
#include <cstdio>
#include <queue>

#include "base/flags.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "player/player.h"
#include "player/player_update.h"
#include "world/ai_node.h"
#include "world/bsp_query.h"

namespace {

constexpr double dt = 1.0 / 60.0;  // the shipped vid_fps
// The speed the walker holds: brisk, but slow enough to keep its line on a
// narrow bridge when the route turns.
constexpr double cruise_speed = 7.0;
// A node counts as passed this close (horizontally) to the feet.
constexpr double node_reach = 0.9;
// Ticks without getting closer to the next point before a jump (repeated
// every second), and before the walk gives up.
constexpr int jump_after = 45;
constexpr int give_up_after = 600;

std::vector<const ai_node*> nodes_by_id(const ai_node* nodes) {
  std::vector<const ai_node*> by_id;
  for (const ai_node* a = nodes; a; a = a->next) {
    if (a->id < 0 || a->id > 100000) continue;
    if (static_cast<size_t>(a->id) >= by_id.size()) by_id.resize(a->id + 1, nullptr);
    by_id[a->id] = a;
  }
  return by_id;
}

double distance(const walk_point& a, const walk_point& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

bool clear(const bsp_node* root, const walk_point& a, const walk_point& b) {
  const double pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
  return bsp_segment_clear(pa, pb, root) == 1;
}

int key_slot_for(uint8_t code) {
  if (code == 32) return key_slot_space;
  if (code >= 33 && code <= 126) return code - 33;
  return -1;
}

void set_key(key_state& keys, uint8_t code, int32_t value) {
  int slot = key_slot_for(code);
  if (slot >= 0) keys.slots[slot] = value;
}

// Mouse counts that turn the view (yaw in degrees, 0 along -z, growing to
// the left) toward the direction (dx, dz) in one tick.
int32_t turn_toward(const player& p, double dx, double dz) {
  double heading = std::atan2(dz, dx) * 180.0 / M_PI;  // the forward key pushes along -(yaw + 90)
  double want = -heading - 90.0;
  double delta = std::fmod(want - p.yaw, 360.0);
  if (delta > 180.0) delta -= 360.0;
  if (delta <= -180.0) delta += 360.0;
  return static_cast<int32_t>(-std::lround(delta / (p.mouse_speed_x != 0 ? p.mouse_speed_x : 1.0)));
}

}  // namespace

walk_point nav_node_pos(const ai_node* nodes, int id) {
  for (const ai_node* a = nodes; a; a = a->next)
    if (a->id == id) return {a->x, a->y, a->z};
  return {0, 0, 0};
}

std::vector<int> nav_route(const ai_node* nodes, int from, int to) {
  std::vector<const ai_node*> by_id = nodes_by_id(nodes);
  int n = static_cast<int>(by_id.size());
  if (from < 0 || to < 0 || from >= n || to >= n || !by_id[from] || !by_id[to]) return {};
  std::vector<double> cost(n, 1e30);
  std::vector<int> back(n, -1);
  using entry = std::pair<double, int>;
  std::priority_queue<entry, std::vector<entry>, std::greater<entry>> open;
  cost[from] = 0;
  open.push({0, from});
  while (!open.empty()) {
    auto [c, id] = open.top();
    open.pop();
    if (c > cost[id]) continue;
    if (id == to) break;
    const ai_node* a = by_id[id];
    for (int j = 0; j < a->link_count; ++j) {
      const ai_node* b = a->links ? a->links[j] : nullptr;
      if (!b || b->id < 0 || b->id >= n) continue;
      double d = c + distance({a->x, a->y, a->z}, {b->x, b->y, b->z});
      if (d < cost[b->id]) {
        cost[b->id] = d;
        back[b->id] = id;
        open.push({d, b->id});
      }
    }
  }
  if (cost[to] >= 1e30) return {};
  std::vector<int> route;
  for (int id = to; id >= 0; id = back[id]) route.insert(route.begin(), id);
  return route;
}

int nav_node_near(const ai_node* nodes, const bsp_node* root, const walk_point& p) {
  int best = -1;
  double best_d = 1e30;
  for (const ai_node* a = nodes; a; a = a->next) {
    walk_point q{a->x, a->y, a->z};
    double d = distance(p, q);
    if (d >= best_d || std::fabs(q.y - p.y) > 1.0 || !clear(root, {p.x, p.y + 1.0, p.z}, {q.x, q.y + 1.0, q.z}))
      continue;
    best_d = d;
    best = a->id;
  }
  return best;
}

walk_outcome walk_route(player& p, entity* entity_list, const bsp_node* root, ai_node* nodes,
                        const std::vector<int>& route, const walk_point& goal, double goal_radius,
                        bool stop_at_goal, int max_ticks) {
  walk_outcome out;
  std::vector<walk_point> points;
  for (int id : route) points.push_back(nav_node_pos(nodes, id));
  points.push_back(goal);
  size_t k = 0;
  key_state keys{};
  double best = 1e30;
  int stalled = 0, jump_ticks = 0;  // ticks without headway; ticks left of a jump
  char line[256];
  for (out.ticks = 0; out.ticks < max_ticks; ++out.ticks) {
    // Pass every node already within reach; the last point is the goal.
    while (k + 1 < points.size() && std::hypot(points[k].x - p.pos[0], points[k].z - p.pos[2]) < node_reach &&
           std::fabs(points[k].y - p.pos[1]) < 1.5) {
      ++k;
      best = 1e30;
      stalled = 0;
    }
    const walk_point& t = points[k];
    double dx = t.x - p.pos[0], dz = t.z - p.pos[2], d = std::hypot(dx, dz);
    // Steer the velocity, not just the heading: push along the difference
    // between the wanted velocity and the present one, so the walker does not
    // drift wide of its line after a turn.
    double speed = std::fmin(cruise_speed, d * 3.0);
    double wx = d > 1e-9 ? dx / d * speed : 0, wz = d > 1e-9 ? dz / d * speed : 0;
    double ex = wx - p.vel[0], ez = wz - p.vel[2];
    bool push = std::hypot(ex, ez) > 0.5;
    mouse_state mouse{};
    mouse.x_motion = push ? turn_toward(p, ex, ez) : turn_toward(p, dx, dz);
    set_key(keys, p.key_bindings[bind_forward], push ? key_held : key_up);
    // Stopped by a ledge or a step: try a jump, again every second while
    // still stopped.
    if (stalled % 60 == jump_after) jump_ticks = 15;
    set_key(keys, p.key_bindings[bind_jump], jump_ticks > 0 ? key_held : key_up);
    if (jump_ticks > 0) --jump_ticks;

    entities_update(entity_list, p, root, nodes, entity_list, dt);
    entities_prune(entity_list);
    player_update(p, keys, root, entity_list, dt, mouse);

    out.end = {p.pos[0], p.pos[1], p.pos[2]};
    if (level_done_flag) {
      out.level_done = true;
      break;
    }
    if (distance(out.end, goal) < goal_radius) {
      out.reached_goal = true;
      if (stop_at_goal) break;
    }
    if (p.health <= 0) {
      out.died = true;
      snprintf(line, sizeof line, "died at (%.2f, %.2f, %.2f) on the way to point %zu of %zu\n", p.pos[0], p.pos[1],
               p.pos[2], k, points.size());
      out.log += line;
      break;
    }
    double now = std::hypot(points[k].x - p.pos[0], points[k].z - p.pos[2]) + std::fabs(points[k].y - p.pos[1]);
    if (now < best - 0.05) {
      best = now;
      stalled = 0;
    } else if (++stalled > give_up_after) {
      snprintf(line, sizeof line, "stuck at (%.2f, %.2f, %.2f) short of point %zu of %zu at (%.2f, %.2f, %.2f)\n",
               p.pos[0], p.pos[1], p.pos[2], k, points.size(), t.x, t.y, t.z);
      out.log += line;
      break;
    }
  }
  if (out.ticks >= max_ticks) {
    snprintf(line, sizeof line, "out of time at (%.2f, %.2f, %.2f) on point %zu of %zu\n", p.pos[0], p.pos[1],
             p.pos[2], k, points.size());
    out.log += line;
  }
  return out;
}
