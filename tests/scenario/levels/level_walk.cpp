// Playing a loaded level through the real game tick: routes over its
// navigation nodes and a steering player that holds keys and moves the mouse.
#include "tests/scenario/levels/level_walk.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <queue>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "config/key_state.h"
#include "config/keyboard_poll.h"
#include "config/mouse_state.h"
#include "entities/entities_read.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "entities/player_weapons_table.h"
#include "player/player.h"
#include "player/player_update.h"
#include "world/ai_node.h"
#include "world/bsp_query.h"

namespace {

constexpr double dt = 1.0 / 60.0;  // the shipped vid_fps
constexpr double pi = 3.14159265358979323846;
// The speed the walker holds: brisk, but slow enough to keep its line on a
// narrow bridge when the route turns.
constexpr double cruise_speed = 7.0;
// A node counts as passed this close (horizontally) to the feet.
constexpr double node_reach = 0.9;
// Ticks without getting closer to the next point before a jump (repeated
// every second), and before a walk gives up.
constexpr int jump_after = 45;
constexpr int give_up_after = 600;
// Items this near are fetched; an item not reached in four seconds is left.
constexpr double item_reach = 6.0;
constexpr int item_patience = 240;
// Under this health the walker backs off from what it sees.
constexpr int low_health = 40;
// How long it backs off to reload before reloading where it stands, and how
// long it waits in cover after backing off hurt.
constexpr int cover_patience = 60;
constexpr int hold_after_backing = 240;
// After waiting in vain it fights for this long before it backs off again.
constexpr int brave_after_hold = 600;
// It backs off at most this many way points, then stands and fights.
constexpr size_t backing_points = 3;
// Enemies farther than this are walked toward rather than shot at.
constexpr double fight_range = 40.0;
// Enemies of this much health get the heavy guns.
constexpr int tough_enemy = 500;

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

walk_point at(const double* pos, double up = 0) { return {pos[0], pos[1] + up, pos[2]}; }

double wrap180(double a) {
  a = std::fmod(a, 360.0);
  if (a > 180.0) a -= 360.0;
  if (a <= -180.0) a += 360.0;
  return a;
}

// The yaw that looks along (dx, dz): the forward key pushes along
// -(yaw + 90) degrees.
double yaw_toward(double dx, double dz) { return -std::atan2(dz, dx) * 180.0 / pi - 90.0; }

// A draw from [0, 1).
double draw(walker& w) {
  w.rng = w.rng * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(w.rng >> 33) / 8589934592.0;
}

// The virtual key that types the bound key code.
int vk_of(uint8_t code) {
  if (code >= 'a' && code <= 'z') return code - 'a' + 'A';
  if (code == 132) return vk_left;
  if (code == 133) return vk_right;
  if (code == 134) return vk_control;
  return code;
}

bool fighter(const entity& e) {
  return e.type > 200 && e.type < 300 && e.health > 0 && e.state != s_dying && e.state != s_dead;
}

// The nearest enemy within fight range whose 0.3 s have passed since it
// came into view; `danger` tells whether any enemy is in view at all.
const entity* notice(walker& w, const player& p, const entity* list, const bsp_node* root, double step,
                     bool& danger) {
  std::vector<std::pair<int, int>> still;
  const entity* target = nullptr;
  double nearest = 1e30;
  for (const entity* e = list; e; e = e->next) {
    if (!fighter(*e) || !clear(root, at(p.pos, 2.25), at(e->pos, 1.5))) continue;
    int since = w.tick;
    for (const auto& v : w.in_view)
      if (v.first == e->id) since = v.second;
    still.push_back({e->id, since});
    double d = distance(at(p.pos), at(e->pos));
    if ((w.tick - since) * step >= w.react && d < nearest && d <= fight_range) {
      nearest = d;
      target = e;
    }
  }
  danger = !still.empty();
  w.in_view = still;
  return target;
}

// Mouse counts that turn the view toward (yaw, pitch) by at most 360
// degrees a second; the error left after the turn, in degrees.
double look(const player& p, double yaw, double pitch, double step, walker_input& in) {
  const double cap = 360.0 * step;
  double dyaw = wrap180(yaw - p.yaw), dpitch = wrap180(pitch - p.pitch);
  double ty = std::fmax(-cap, std::fmin(cap, dyaw)), tp = std::fmax(-cap, std::fmin(cap, dpitch));
  in.dx = static_cast<int32_t>(-std::lround(ty / (p.mouse_speed_x != 0 ? p.mouse_speed_x : 1.0)));
  in.dy = static_cast<int32_t>(-std::lround(tp / (p.mouse_speed_y != 0 ? p.mouse_speed_y : 1.0)));
  return std::fmax(std::fabs(dyaw - ty), std::fabs(dpitch - tp));
}

// The move keys (of the eight ways they push) nearest the direction (dx, dz).
void move_keys(const player& p, double dx, double dz, walker_input& in) {
  double rel = wrap180(std::atan2(dz, dx) * 180.0 / pi + p.yaw + 90.0);  // 0 ahead, growing to the right
  if (std::fabs(rel) < 67.5) in.keys.push_back(vk_of(p.key_bindings[bind_forward]));
  if (std::fabs(rel) > 112.5) in.keys.push_back(vk_of(p.key_bindings[bind_backward]));
  if (rel > 22.5 && rel < 157.5) in.keys.push_back(vk_of(p.key_bindings[bind_moveright]));
  if (rel < -22.5 && rel > -157.5) in.keys.push_back(vk_of(p.key_bindings[bind_moveleft]));
}

// Walks toward `t` at a brisk pace, steering the velocity rather than the
// heading so that it keeps its line after a turn; jumps when stopped.
void walk_to(walker& w, const player& p, const walk_point& t, double step, bool face, walker_input& in) {
  double dx = t.x - p.pos[0], dz = t.z - p.pos[2], d = std::hypot(dx, dz);
  double speed = std::fmin(cruise_speed, d * 3.0);
  double ex = (d > 1e-9 ? dx / d * speed : 0) - p.vel[0], ez = (d > 1e-9 ? dz / d * speed : 0) - p.vel[2];
  bool push = std::hypot(ex, ez) > 0.5;
  if (face) look(p, push ? yaw_toward(ex, ez) : yaw_toward(dx, dz), 0.0, step, in);
  if (push) move_keys(p, ex, ez, in);
  double now = d + std::fabs(t.y - p.pos[1]);
  if (now < w.best - 0.05) {
    w.best = now;
    w.stalled = 0;
  } else if (++w.stalled % 60 == jump_after) {
    w.jump_ticks = 15;
  }
  if (w.jump_ticks > 0 && w.jump_ticks-- > 0) in.keys.push_back(vk_of(p.key_bindings[bind_jump]));
}

void new_target_point(walker& w) {
  w.best = 1e30;
  w.stalled = 0;
}

// No wall on the way to the spot (dx, dz) away, and floor under it and
// under the spot as far again beyond: a body still sliding when it lets go
// of the key stops short of an edge.
bool room_to_step(const player& p, const bsp_node* root, double dx, double dz) {
  walk_point to{p.pos[0] + dx, p.pos[1], p.pos[2] + dz};
  walk_point beyond{to.x + dx, to.y, to.z + dz};
  auto floor_under = [&](const walk_point& q) {
    return !clear(root, {q.x, q.y + 0.3, q.z}, {q.x, q.y - 0.7, q.z});
  };
  return clear(root, at(p.pos, 1.0), {to.x, to.y + 1.0, to.z}) &&
         clear(root, at(p.pos, 0.3), {to.x, to.y + 0.3, to.z}) && floor_under(to) && floor_under(beyond);
}

// The best gun for the target: the heavy guns for tough enemies, the
// shotgun up close, else the rifle; the strike when all are empty.
int best_gun(const player& p, const entity& t) {
  auto has = [&](int g) { return p.guns[g].loaded + p.guns[g].reserve > 0; };
  bool tough = entity_health_at_load(t.type) >= tough_enemy;
  double d = distance(at(p.pos), at(t.pos));
  int best = strike_gun;
  if (tough && has(3) && d < 20)
    best = 3;
  else if (tough && has(2))
    best = 2;
  else if (d < 10 && has(1))
    best = 1;
  else
    for (int g : {3, 1, 2, 0})
      if (has(g)) best = g;
  // An empty magazine against a weak enemy: a loaded gun now rather than a
  // reload (a tough one is worth the heavy gun's reload).
  if (best != strike_gun && p.guns[best].loaded == 0 && !tough)
    for (int g : {0, 1, 2, 3})
      if (p.guns[g].loaded > 0) best = g;
  return best;
}

// The way point behind the walker, at most backing_points back, that no
// enemy in view sees; -1 when there is none.
int cover_behind(const walker& w, const entity* list, const bsp_node* root) {
  for (size_t j = w.next; j-- > 0 && j + backing_points >= w.next;) {
    bool hidden = true;
    for (const entity* e = list; e && hidden; e = e->next)
      for (const auto& v : w.in_view)
        if (v.first == e->id && e->type >= 200 &&
            clear(root, at(e->pos, 1.5), {w.way[j].x, w.way[j].y + 2.25, w.way[j].z}))
          hidden = false;
    if (hidden) return static_cast<int>(j);
  }
  return -1;
}

// Aims at `t` with the shot's drawn error and fires once on target,
// strafing meanwhile (or closing in with the strike).
void fight(walker& w, const player& p, const entity& t, const bsp_node* root, double step, bool strafe,
           walker_input& in) {
  double dx = t.pos[0] - p.pos[0], dz = t.pos[2] - p.pos[2], hd = std::hypot(dx, dz);
  double rise = t.pos[1] + 1.5 - (p.pos[1] + 2.25);
  double pitch = std::atan2(rise, hd) * 180.0 / pi;
  // The energy guns' shots climb pitch * 35 / 40 units a second at 35 forward.
  if (p.current_gun == 2 || p.current_gun == 3)
    pitch = std::fmax(-60.0, std::fmin(60.0, 40.0 * (rise + 0.5) / std::fmax(hd, 1.0)));
  double left = look(p, yaw_toward(dx, dz) + w.aim_error[0], pitch + w.aim_error[1], step, in);
  int gun = best_gun(p, t);
  if (gun != p.current_gun && !p.reloading && w.gun_key_ticks == 0) {
    in.keys.push_back(vk_of(p.key_bindings[bind_gun1 + gun]));
    w.gun_key_ticks = 2;
  }
  in.fire = left < 1.0 && p.guns[p.current_gun].loaded > 0;
  if (p.current_gun == 4) {
    move_keys(p, dx, dz, in);
    return;
  }
  if (!strafe) return;
  if (--w.strafe_ticks <= 0) {
    w.strafe = -w.strafe;
    w.strafe_ticks = 60 + static_cast<int>(draw(w) * 60);
  }
  double h = -(p.yaw + (w.strafe > 0 ? 0.0 : 180.0)) * pi / 180.0;  // the right or left key's push
  if (!room_to_step(p, root, 1.5 * std::cos(h), 1.5 * std::sin(h))) {
    w.strafe = -w.strafe;
    h += pi;
    if (!room_to_step(p, root, 1.5 * std::cos(h), 1.5 * std::sin(h))) return;
  }
  in.keys.push_back(vk_of(p.key_bindings[w.strafe > 0 ? bind_moveright : bind_moveleft]));
}

// The nearest item within reach of the walker that it can see and has not
// given up on; -1 when none.
int item_near(const walker& w, const player& p, const entity* list, const bsp_node* root) {
  int best = -1;
  double best_d = item_reach;
  for (const entity* e = list; e; e = e->next) {
    if (e->type < 400 || e->type > 420 || std::fabs(e->pos[1] - p.pos[1]) > 1.2) continue;
    double d = distance(at(p.pos), at(e->pos));
    bool left = false;
    for (int id : w.given_up) left = left || id == e->id;
    if (d < best_d && !left && clear(root, at(p.pos, 1.0), at(e->pos, 0.5))) {
      best_d = d;
      best = e->id;
    }
  }
  return best;
}

const entity* entity_by_id(const entity* list, int id) {
  for (const entity* e = list; e; e = e->next)
    if (e->id == id && e->type >= 400) return e;
  return nullptr;
}

// Back on the way after a detour: the nearest way point it can see, from
// the one it was heading for back to four before.
void rejoin(walker& w, const player& p, const bsp_node* root) {
  size_t first = w.next > 4 ? w.next - 4 : 0;
  for (size_t j = w.next + 1; j-- > first;)
    if (clear(root, at(p.pos, 1.5), {w.way[j].x, w.way[j].y + 1.5, w.way[j].z})) {
      w.next = j;
      break;
    }
  new_target_point(w);
}

// Walks the way, fetching the items near it.
void walk_on(walker& w, const player& p, const entity* list, const bsp_node* root, double step,
             walker_input& in) {
  if (w.item < 0 && (w.item = item_near(w, p, list, root)) >= 0) {
    w.item_ticks = 0;
    new_target_point(w);
  }
  if (w.item >= 0) {
    const entity* item = entity_by_id(list, w.item);
    if (item && ++w.item_ticks < item_patience) {
      walk_to(w, p, at(item->pos), step, true, in);
      return;
    }
    if (item) w.given_up.push_back(w.item);
    w.item = -1;
    rejoin(w, p, root);
  }
  while (w.next + 1 < w.way.size() &&
         std::hypot(w.way[w.next].x - p.pos[0], w.way[w.next].z - p.pos[2]) < node_reach &&
         std::fabs(w.way[w.next].y - p.pos[1]) < 1.5) {
    ++w.next;
    new_target_point(w);
    w.stepped_back = false;
  }
  // Caught on a corner for three seconds: back to the way point before, from
  // which the way runs clear.
  if (w.stalled >= 180 && !w.stepped_back && w.next > 0) {
    --w.next;
    w.best = 1e30;
    w.stepped_back = true;
  }
  if (!w.way.empty()) walk_to(w, p, w.way[w.next], step, true, in);
}

// Backs off along the way, facing what it fights.
void back_off(walker& w, const player& p, const entity* target, const bsp_node* root, double step,
              walker_input& in) {
  const walk_point& b = w.way[w.back];
  if (std::hypot(b.x - p.pos[0], b.z - p.pos[2]) < node_reach && w.back > w.back_limit) --w.back;
  double dx = b.x - p.pos[0], dz = b.z - p.pos[2];
  bool cornered = w.back == w.back_limit && std::hypot(dx, dz) < node_reach;
  if (target) fight(w, p, *target, root, step, cornered, in);
  // Backing off, it looks where it puts its feet: never over an edge.
  const double d = std::hypot(dx, dz);
  if (!cornered && d > 1e-9 && room_to_step(p, root, dx / d * 1.5, dz / d * 1.5)) move_keys(p, dx, dz, in);
  if (!target) look(p, yaw_toward(-dx, -dz), 0.0, step, in);
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
    if (d >= best_d || std::fabs(q.y - p.y) > 1.0 ||
        !clear(root, {p.x, p.y + 1.0, p.z}, {q.x, q.y + 1.0, q.z}))
      continue;
    best_d = d;
    best = a->id;
  }
  return best;
}

walker walker_new(const std::vector<walk_point>& way, uint32_t seed) {
  walker w;
  w.way = way;
  w.rng = seed * 2654435761ULL + 1;
  // A person notices a little later now and then.
  w.react = 0.3 + 0.15 * draw(w);
  return w;
}

void walker_new_way(walker& w, const std::vector<walk_point>& way) {
  if (way.empty()) return;
  w.way = way;
  w.next = w.back = w.back_limit = 0;
  w.stepped_back = false;
  new_target_point(w);
}

walker_input walker_step(walker& w, const player& p, const entity* list, const bsp_node* root, double step) {
  walker_input in;
  ++w.tick;
  if (w.gun_key_ticks > 0) --w.gun_key_ticks;
  if (w.way.empty()) return in;
  const int cur = p.current_gun >= 0 && p.current_gun < gun_count ? p.current_gun : 0;
  const gun& g = p.guns[cur];
  // A shot left since the last tick: the next one gets an error of its own.
  if (cur == w.last_gun && g.loaded < w.last_loaded)
    for (double& e : w.aim_error) e = (draw(w) * 2.0 - 1.0) * 3.0;
  w.last_gun = cur;
  w.last_loaded = g.loaded;

  bool danger = false;
  const entity* target = notice(w, p, list, root, step, danger);
  // WALK_TRACE in the environment: the walker's mind twice a second, and
  // whatever it sees each time it is hurt, for whoever wonders where a run
  // went wrong.
  const bool trace = getenv("WALK_TRACE") != nullptr;
  if (trace && p.health < w.last_health) {
    fprintf(stderr, "hurt %d to %d at tick %d by:", w.last_health, p.health, w.tick);
    for (const entity* e = list; e; e = e->next)
      if (fighter(*e) && clear(root, at(p.pos, 2.25), at(e->pos, 1.5)))
        fprintf(stderr, " %d at %.0f (state %d)", e->type, distance(at(p.pos), at(e->pos)), e->state);
    fprintf(stderr, "\n");
  }
  w.last_health = p.health;
  // Out of rounds in a fight: another loaded gun is quicker than a reload.
  bool spare = false;
  for (int k = 0; k < strike_gun; ++k) spare = spare || (k != cur && p.guns[k].loaded > 0);
  spare = spare && !(target && entity_health_at_load(target->type) >= tough_enemy);
  const bool dry = !p.reloading && g.loaded == 0 && g.reserve > 0 && gun_table[cur].reloads_by_key && !spare;
  w.cover_ticks = dry && danger ? w.cover_ticks + 1 : 0;
  if (w.cover_ticks == 1) w.cover_point = cover_behind(w, list, root);
  // Backed off and waited, and nothing came: it goes out and fights for a while.
  if (w.hold_ticks == 1) w.brave_ticks = brave_after_hold;
  if (w.brave_ticks > 0) --w.brave_ticks;
  const bool backing = (target && p.health < low_health && w.brave_ticks == 0) ||
                       (danger && dry && w.cover_point >= 0 && w.cover_ticks < cover_patience);
  const int mode = backing ? 1 : target ? 2 : w.hold_ticks > 0 ? 3 : 0;
  if (mode == 1 && w.mode != 1) {
    w.back = w.next > 0 ? w.next - 1 : 0;
    w.back_limit = dry                       ? static_cast<size_t>(w.cover_point)
                   : w.next > backing_points ? w.next - backing_points
                                             : 0;
  }
  if (mode == 0 && w.mode != 0) rejoin(w, p, root);
  w.mode = mode;
  if (trace && w.tick % 30 == 0)
    fprintf(stderr,
            "tick %d pos %.1f %.1f %.1f health %d mode %d way point %zu of %zu gun %d %d+%d target %d %d\n",
            w.tick, p.pos[0], p.pos[1], p.pos[2], p.health, mode, w.next, w.way.size(), cur, g.loaded,
            g.reserve, target ? target->type : 0, target ? target->health : 0);
  if (mode == 1) {
    back_off(w, p, target, root, step, in);
    w.hold_ticks = p.health < low_health ? hold_after_backing : 0;
  } else if (mode == 2) {
    fight(w, p, *target, root, step, true, in);
  } else if (mode == 3) {
    --w.hold_ticks;
    look(p, yaw_toward(w.way[w.next].x - p.pos[0], w.way[w.next].z - p.pos[2]), 0.0, step, in);
  } else {
    walk_on(w, p, list, root, step, in);
    // Between fights the heavy guns are made ready first.
    for (int k : {3, 2})
      if (!danger && !p.reloading && k != cur && w.gun_key_ticks == 0 && p.guns[k].reserve > 0 &&
          p.guns[k].loaded * 3 < gun_table[k].reload_capacity) {
        in.keys.push_back(vk_of(p.key_bindings[bind_gun1 + k]));
        w.gun_key_ticks = 2;
      }
  }
  // Reload when empty, and between fights when the gun runs low.
  // An empty gun with nothing near enough to shoot at is reloaded at once,
  // even with an enemy in view beyond its range.
  bool low = !p.reloading && gun_table[cur].reloads_by_key && g.reserve > 0 &&
             ((!danger && g.loaded * 3 < gun_table[cur].reload_capacity) || (!target && g.loaded == 0));
  bool cover = !danger || w.cover_point < 0 || w.cover_ticks >= cover_patience || p.health < low_health;
  if ((dry && cover) || low) in.keys.push_back(vk_of(p.key_bindings[bind_reload]));
  return in;
}

namespace {
std::vector<int> walker_keys;
}

bool walker_key_down(int vk) {
  for (int k : walker_keys)
    if (k == vk) return true;
  return false;
}

void walker_hold(const walker_input& in) { walker_keys = in.keys; }

walk_outcome walk_route(player& p, entity* entity_list, const bsp_node* root, ai_node* nodes,
                        const std::vector<int>& route, const walk_point& goal, double goal_radius,
                        bool stop_at_goal, int max_ticks) {
  walk_outcome out;
  std::vector<walk_point> points;
  for (int id : route) points.push_back(nav_node_pos(nodes, id));
  points.push_back(goal);
  walker w = walker_new(points, 1);
  key_state keys{};
  mouse_state mouse{};
  char line[256];
  for (out.ticks = 0; out.ticks < max_ticks; ++out.ticks) {
    walker_input in = walker_step(w, p, entity_list, root, dt);
    walker_hold(in);
    poll_keyboard(keys, walker_key_down);
    mouse = mouse_state{in.dx, in.dy, in.fire ? 1 : 0, mouse.left, 0, 0};
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
      snprintf(line, sizeof line, "died at (%.2f, %.2f, %.2f) on the way to point %zu of %zu\n", p.pos[0],
               p.pos[1], p.pos[2], w.next, points.size());
      out.log += line;
      break;
    }
    if (w.stalled > give_up_after) {
      const walk_point& t = points[w.next];
      snprintf(line, sizeof line,
               "stuck at (%.2f, %.2f, %.2f) short of point %zu of %zu at (%.2f, %.2f, %.2f)\n", p.pos[0],
               p.pos[1], p.pos[2], w.next, points.size(), t.x, t.y, t.z);
      out.log += line;
      break;
    }
  }
  if (out.ticks >= max_ticks) {
    snprintf(line, sizeof line, "out of time at (%.2f, %.2f, %.2f) on point %zu of %zu\n", p.pos[0], p.pos[1],
             p.pos[2], w.next, points.size());
    out.log += line;
  }
  return out;
}
