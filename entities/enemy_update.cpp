// One enemy's tick: death and scoring, gravity, the boss push, its state.
#include "entities/enemy_update.h"

#include <cstdio>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/enemy_context.h"
#include "entities/enemy_kinds.h"
#include "entities/enemy_life_states.h"
#include "entities/enemy_nav_states.h"
#include "entities/enemy_shoot_states.h"
#include "entities/enemy_sight.h"
#include "player/player.h"

namespace {

constexpr double fall_probe = 0.2;
constexpr double fall_speed = 30.0;
constexpr double body_probe = 0.5;
constexpr double lift_step = 0.05;
constexpr double lift_limit = 2.0;
constexpr double push_reach = 10.0;
constexpr double push_strength = 3.0;

// Indexed by state; states outside 1 to 11 run nothing.
constexpr state_handler state_handlers[] = {
    nullptr,
    enemy_states::s_idle,
    enemy_states::s_chase,
    enemy_states::s_get_path,
    enemy_states::s_follow_path,
    enemy_states::s_go_to_node,
    enemy_states::s_pain,
    enemy_states::s_dying,
    enemy_states::s_dead,
    enemy_states::s_aim,
    enemy_states::s_fire,
    enemy_states::s_revive,
};
constexpr int state_handler_count = sizeof state_handlers / sizeof state_handlers[0];

bool point_empty(const double q[3], const bsp_node* root) { return segment_clear(q, q, root); }

void count_death(entity& e, player& p) {
  if (e.state == s_dying || e.state == s_dead || e.health > 0) return;
  e.frame = 1;
  e.state = s_dying;
  p.kills += 1;
  p.score += enemy_kind_of(e.type).score;
}

}  // namespace

bool enemy_falling(const entity& e, const bsp_node* root, double dt) {
  const double below[3] = {e.pos[0], e.pos[1] - fall_probe, e.pos[2]};
  const double next[3] = {e.pos[0], e.pos[1] - fall_speed * dt, e.pos[2]};
  return segment_clear(e.pos, below, root) && segment_clear(e.pos, next, root);
}

namespace {

void fall(entity& e, const bsp_node* root, double dt) {
  const double below[3] = {e.pos[0], e.pos[1] - fall_probe, e.pos[2]};
  if (!segment_clear(e.pos, below, root)) return;
  e.vel[0] = 0.0;
  e.vel[1] = -fall_speed;
  e.vel[2] = 0.0;
  const double next[3] = {e.pos[0], e.pos[1] - fall_speed * dt, e.pos[2]};
  if (segment_clear(e.pos, next, root)) e.pos[1] = next[1];
}

// Raises the feet until the way from them up to q is clear. False when the
// lift limit ran out first.
bool rise_to(entity& e, const double q[3], const bsp_node* root, double& lift) {
  for (;;) {
    if (segment_clear(e.pos, q, root)) {
      e.vel[1] = 0.0;
      return true;
    }
    printf("sunk!\n");
    e.pos[1] += lift_step;
    lift += lift_step;
    if (lift > lift_limit) return false;
  }
}

// Wedged in solid: the first diagonal neighbour in empty space takes it.
void side_step(entity& e, const bsp_node* root) {
  const double offsets[3][2] = {{1.0, 1.0}, {-1.0, 1.0}, {1.0, -1.0}};
  for (const auto& o : offsets) {
    const double q[3] = {e.pos[0] + o[0], e.pos[1], e.pos[2] + o[1]};
    if (!point_empty(q, root)) continue;
    e.pos[0] = q[0];
    e.pos[2] = q[2];
    return;
  }
}

void boss_push(const entity& e, player& p) {
  if (!is_boss(e.type) || distance3(e.pos, p.pos) >= push_reach) return;
  for (int i = 0; i < 3; ++i) p.vel[i] = push_strength * (p.pos[i] - e.pos[i]);
}

}  // namespace

void enemy_world_motion(entity& e, const bsp_node* root, double dt) {
  fall(e, root, dt);
  // The point half a unit above the feet stays where it is while the feet
  // rise toward it; when it is itself in solid it rises first.
  double q[3] = {e.pos[0], e.pos[1] + body_probe, e.pos[2]};
  double lift = 0.0;
  while (!point_empty(q, root)) {
    q[1] += lift_step;
    lift += lift_step;
    if (lift > lift_limit) {
      side_step(e, root);
      return;
    }
  }
  if (!rise_to(e, q, root, lift)) side_step(e, root);
}

void enemy_update(entity& e, player& p, const bsp_node* root, ai_node* nodes, entity* list, double dt) {
  count_death(e, p);
  enemy_world_motion(e, root, dt);
  boss_push(e, p);
  if (e.state < 1 || e.state >= state_handler_count) return;
  enemy_context c{p, root, nodes, list, dt};
  state_handlers[e.state](e, c);
}
