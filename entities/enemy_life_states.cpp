// The enemy states of its life cycle: waiting, pain, dying, dead, reviving.
#include "entities/enemy_life_states.h"

#include <cstdio>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "entities/enemy_animation.h"
#include "entities/enemy_context.h"
#include "entities/enemy_sight.h"
#include "player/player.h"

namespace {

constexpr double pain_time = 0.4;
constexpr double revive_time = 1.0;
constexpr int32_t outpost_level = 4;  // the level that mob10's death completes

// The heavy kinds answer a hit by shooting back.
bool answers_pain_with_fire(int32_t type) {
  return type == ent_mob4 || type == ent_mob10 || type == ent_boss1 || type == ent_boss2;
}

bool alive(const entity& e) { return e.state != ::s_dying && e.state != ::s_dead; }

// A boss1 that is neither dying nor dead, from the head on.
bool living_boss1_left(const entity* head) {
  for (const entity* e = head; e; e = e->next)
    if (e->type == ent_boss1 && alive(*e)) return true;
  return false;
}

void check_level_completed(const entity& e, const enemy_context& c) {
  if (e.type == ent_boss2)
    level_done_flag = 1;
  else if (e.type == ent_boss1 && !living_boss1_left(c.list))
    level_done_flag = 1;
  else if (e.type == ent_mob10 && c.the_player.level_number == outpost_level)
    level_done_flag = 1;
}

}  // namespace

namespace enemy_states {

void s_idle(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  if (enemy_sees_player(e, c.the_player, c.root)) {
    if (e.type == ent_worker) {
      printf("a worker did NOT go to s_get_path!\n");
      e.state = ::s_get_path;
      e.ai_flag = 1;
    } else {
      e.ai_flag = 0;
      e.state = ::s_chase;
    }
  }
  animation_clock(e, anim_hold_first, frame_at_start, c.dt);
}

void s_pain(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  // The timer is not reset by the hit, so the pain may end at once when the
  // enemy was hit while aiming.
  if (e.state_timer > pain_time) {
    if (answers_pain_with_fire(e.type)) {
      e.state_timer = 0.0;
      e.frame = 9;
      e.state = ::s_aim;
    } else {
      e.state = ::s_idle;
    }
  }
  e.state_timer += c.dt;
  animation_clock(e, anim_pain, frame_at_start, c.dt);
}

void s_dying(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  if (e.frame >= 5) {
    e.state = ::s_dead;
    check_level_completed(e, c);
  }
  animation_clock(e, anim_dying, frame_at_start, c.dt);
}

void s_dead(entity& e, enemy_context& c) {
  // ai_flag holds the revive delay in whole seconds; -1 keeps it dead.
  if (e.type != ent_mob9 || e.ai_flag == -1) return;
  e.state_timer += c.dt;
  if (e.state_timer < e.ai_flag) return;
  e.health = 1;
  e.ai_flag += 1;
  e.state = ::s_revive;
  e.frame = 5;
  e.anim_timer = 0.0;
  e.state_timer = 0.0;
}

void s_revive(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  e.state_timer += c.dt;
  if (e.state_timer > revive_time) {
    e.ai_flag = 0;
    e.state = ::s_chase;
    e.health = 100;
    e.anim_timer = 0.0;
    e.frame = 1;
  }
  animation_clock(e, anim_revive, frame_at_start, c.dt);
}

}  // namespace enemy_states
