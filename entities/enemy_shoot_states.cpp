// The enemy states that shoot: aiming at the player and firing volleys.
#include "entities/enemy_shoot_states.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/skill.h"
#include "entities/enemy_animation.h"
#include "entities/enemy_attacks.h"
#include "entities/enemy_context.h"
#include "entities/enemy_fire.h"
#include "entities/enemy_sight.h"
#include "entities/enemy_update.h"
#include "entities/entity_list.h"
#include "player/player.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double volley_interval = 0.3;
constexpr double orb_speed = 4.0;
constexpr double orb_height = 1.75;

// mob5's orb flies off 45 degrees to one side of the player, the side
// chosen at random; where it stops, the mob5 appears.
void throw_teleport_orb(entity& e, const player& p) {
  const double side = rand() % 2 == 0 ? -pi / 4.0 : pi / 4.0;
  const double phi = std::atan2(p.pos[2] - e.pos[2], p.pos[0] - e.pos[0]) + side;
  entity* orb = entity_append(ent_teleport_orb, &e);
  orb->pos[0] = e.pos[0];
  orb->pos[1] = e.pos[1] + orb_height;
  orb->pos[2] = e.pos[2];
  orb->vel[0] = orb_speed * std::cos(phi);
  orb->vel[2] = orb_speed * std::sin(phi);
  orb->id = e.id;
  e.ai_flag = 1;
}

void fire_volley(entity& e, const enemy_attack& attack, enemy_context& c) {
  printf("firing gun!\n");
  const int32_t volley = attack.volley[e.phase == 1 ? 1 : 0];
  if (volley == volley_instant)
    enemy_hitscan(e, c.the_player, c.root, attack.instant_damage);
  else
    enemy_fire(volley, e, c.the_player.pos);
}

void count_burst(entity& e, const enemy_attack& attack) {
  const int32_t limit = attack.burst_limit[e.phase == 1 ? 1 : 0];
  if (limit == no_burst) {
    e.burst_count = 0;
  } else if (e.burst_count < limit) {
    e.burst_count += 1;
    e.sound_event = 2;
  } else {
    if (has_weapon_phases(e.type)) e.phase = e.phase == 0 ? 1 : 0;
    e.burst_count = 0;
  }
}

}  // namespace

namespace enemy_states {

void s_aim(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  const player& p = c.the_player;
  const enemy_attack& attack = enemy_attack_of(e.type);
  if (!enemy_sees_player(e, p, c.root)) e.state = ::s_get_path;
  if (attack.turns_while_aiming)
    turn_facing_toward(e.facing, std::atan2(p.pos[0] - e.pos[0], p.pos[2] - e.pos[2]));
  // The shots go where the player stood when the aim began.
  if (e.state_timer == 0.0) e.aim_angle = std::atan2(p.pos[2] - e.pos[2], p.pos[0] - e.pos[0]);
  e.state_timer += c.dt;
  if (e.state_timer > skill_aim_time(p.skill, attack.aim_time)) {
    e.state_timer = 0.0;
    e.sound_event = 2;
    e.state = ::s_fire;
  }
  // Not while falling: the orb starts 1.75 above the feet, so one thrown
  // into a wall moves its thrower up by that much at once; thrown again
  // before it lands, and again, it would climb the wall and out of the level.
  if (e.type == ent_mob5 && e.ai_flag == 0 && !enemy_falling(e, c.root, c.dt)) throw_teleport_orb(e, p);
  animation_clock(e, anim_aim, frame_at_start, c.dt);
}

void s_fire(entity& e, enemy_context& c) {
  const int frame_at_start = e.frame;
  e.state_timer += c.dt;
  if (e.state_timer > volley_interval) {
    const enemy_attack& attack = enemy_attack_of(e.type);
    fire_volley(e, attack, c);
    e.state_timer = 0.0;
    count_burst(e, attack);
    if (distance3(e.pos, c.the_player.pos) > fire_range(e.type) && e.burst_count == 0) {
      e.ai_flag = 0;
      e.state = ::s_chase;
    } else {
      e.state = attack.stays_in_fire ? ::s_fire : ::s_aim;
    }
  }
  animation_clock(e, anim_fire, frame_at_start, c.dt);
}

}  // namespace enemy_states
