// One tick of a projectile: flight, homing, hits, walls and age.
#include "entities/projectile_update.h"

#include <cmath>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/skill.h"
#include "entities/enemy_kinds.h"
#include "entities/enemy_sight.h"
#include "entities/hit_box.h"
#include "player/player.h"

namespace {

constexpr double homing_interval = 0.5;
constexpr double homing_speed = 15.0;
constexpr double reach_of_the_player = 5.0;
constexpr int32_t shot_damage = 30;
constexpr int32_t player_shot_damage = 70;
constexpr double orb_lifetime = 5.0;
constexpr double shot_lifetime = 1000.0;
constexpr int32_t hatched_health = 10;

bool hits_the_player(int32_t type) {
  return type == ent_shot_a || type == ent_shot_b || type == ent_homing_shot || type == ent_shot_c ||
         type == ent_boss_shot;
}

bool hits_enemies(int32_t type) { return type == ent_player_shot_a || type == ent_player_shot_b; }

void home_in(entity& q, const player& p, double dt) {
  q.aux_timer += dt;
  if (q.aux_timer <= homing_interval) return;
  q.aux_timer = 0.0;
  turn_facing_toward(q.facing, std::atan2(p.pos[0] - q.pos[0], p.pos[2] - q.pos[2]));
  q.vel[0] = homing_speed * std::sin(q.facing);
  q.vel[2] = homing_speed * std::cos(q.facing);
}

void test_the_player(entity& q, player& p, const hit_box& box, const double next[3]) {
  const double eye[3] = {p.pos[0], p.pos[1] + player_eye_height, p.pos[2]};
  if (distance3(q.pos, eye) >= reach_of_the_player) return;
  if (!hit_box_test(box, q.pos, next).hit) return;
  p.health -= skill_damage(p.skill, shot_damage);
  p.vel[0] = p.vel[1] = p.vel[2] = 0.0;
  q.type = ent_marked_for_removal;
}

// The first enemy in list order that is not a corpse and whose centre is
// within reach takes the hit; a boss is a larger target.
void test_enemies(entity& q, entity* list) {
  for (entity* e = list; e; e = e->next) {
    if (!is_enemy(e->type) || e->state == s_dead) continue;
    const double centre[3] = {e->pos[0], e->pos[1] + enemy_eye_height, e->pos[2]};
    if (distance3(centre, q.pos) >= (is_boss(e->type) ? 10.0 : 3.0)) continue;
    e->health -= player_shot_damage;
    e->ai_flag = -1;                             // a mob9 hit by a projectile stays dead
    if (e->state != s_pain) e->sound_event = 1;  // a cry asked for earlier this tick is kept
    if (e->state != s_dying && e->type != ent_boss1) {
      e->frame = 6;
      e->state = s_pain;
    }
    q.type = ent_marked_for_removal;
    return;
  }
}

// By the type the shot has now: one already marked stays as it is.
void age(entity& q) {
  if (!is_projectile(q.type)) return;
  if (q.type == ent_teleport_orb) {
    if (q.state_timer > orb_lifetime) q.type = ent_stopped_teleport_orb;
  } else if (q.type == ent_spawn_shot) {
    if (q.state_timer > q.aux_timer) {
      q.type = ent_mob2;
      q.health = hatched_health;
      q.state = s_idle;
    }
  } else if (q.state_timer > shot_lifetime) {
    q.type = ent_marked_for_removal;
  }
}

}  // namespace

void projectile_update(entity& q, player& p, const bsp_node* root, entity* list, double dt) {
  double next[3];
  for (int i = 0; i < 3; ++i) next[i] = q.pos[i] + q.vel[i] * dt;
  q.state_timer += dt;
  const hit_box box = make_hit_box(p.pos, 1.0, 1.5);

  if (q.type == ent_homing_shot) home_in(q, p, dt);
  if (hits_the_player(q.type))
    test_the_player(q, p, box, next);
  else if (hits_enemies(q.type))
    test_enemies(q, list);

  if (segment_clear(q.pos, next, root)) {
    for (int i = 0; i < 3; ++i) q.pos[i] = next[i];
  } else {
    q.type = q.type == ent_teleport_orb ? ent_stopped_teleport_orb : ent_marked_for_removal;
  }
  age(q);
}
