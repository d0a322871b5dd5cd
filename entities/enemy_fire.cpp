// An enemy's volleys: projectile patterns and the instant shot.
#include "entities/enemy_fire.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/skill.h"
#include "entities/enemy_kinds.h"
#include "entities/enemy_sight.h"
#include "entities/entity_list.h"
#include "entities/hit_box.h"
#include "player/player.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double degree = pi / 180.0;
constexpr double shot_speed = 15.0;
constexpr double single_shot_speed = 20.0;
constexpr double boss_shot_speed = 37.5;
constexpr double boss_muzzle_height = 9.0;
constexpr double boss_muzzle_side = 2.5;
constexpr double single_shot_rise = 1.75;
constexpr double instant_shot_reach = 1000.0;

enum volley_pattern { pattern_single, pattern_three, pattern_fan };

volley_pattern pattern_of(const entity& s) {
  switch (s.type) {
    case ent_mob4:
    case ent_mob14:
      return pattern_fan;
    case ent_mob10:
      return s.phase == 1 ? pattern_fan : pattern_single;
    case ent_boss1:
      return s.phase == 0 ? pattern_fan : pattern_three;
    case ent_boss2:
      return s.phase == 0 ? pattern_fan : pattern_single;
    case ent_mob8:
      return pattern_three;
    default:
      return pattern_single;
  }
}

// Direction (x, z) to the player, as an angle of the kind atan2(dz, dx).
double bearing(const entity& s, const double p[3]) { return std::atan2(p[2] - s.pos[2], p[0] - s.pos[0]); }

entity& spawn(int32_t type, entity& shooter, double height) {
  entity* q = entity_append(type, &shooter);
  q->id = shooter.id;
  q->pos[0] = shooter.pos[0];
  q->pos[1] = shooter.pos[1] + height;
  q->pos[2] = shooter.pos[2];
  return *q;
}

void set_vel(entity& q, double x, double y, double z) {
  q.vel[0] = x;
  q.vel[1] = y;
  q.vel[2] = z;
}

// The bosses fire from a gun arm beside them, on the side of their aim.
void boss_muzzle_offset(entity& q, const entity& s) {
  q.pos[0] += boss_muzzle_side * std::sin(s.aim_angle - pi / 2.0);
  q.pos[2] += boss_muzzle_side * std::cos(s.aim_angle - pi / 2.0);
}

void fire_fan(int32_t type, entity& s, const double p[3]) {
  const double base = bearing(s, p) - pi / 6.0;
  double rise = 0.0, height = 1.5;
  if (s.type == ent_mob4) {
    rise = 0.125 * (p[1] - s.pos[1] - 2.5);
    height = 3.125;
  } else if (is_boss(s.type)) {
    rise = p[1] - s.pos[1] - 2.5;
    height = 12.0;
  } else if (s.type == ent_mob14) {
    height = 2.5;
  }
  for (int i = 0; i < 5; ++i) {
    const double phi = base + i * 12.0 * degree;
    set_vel(spawn(type, s, height), shot_speed * std::cos(phi), rise, shot_speed * std::sin(phi));
  }
}

// The bosses' three shots scatter by up to 4 degrees either way.
double boss_scatter() {
  const int sign = rand() % 2 == 0 ? 1 : -1;
  return sign * (rand() % 5) * degree;
}

void fire_three(int32_t type, entity& s, const double p[3]) {
  const double base = bearing(s, p) - pi / 12.0;
  const bool boss = is_boss(s.type);
  for (int i = 0; i < 3; ++i) {
    double phi = base + i * 10.0 * degree;
    if (boss) phi += boss_scatter();
    if (boss) {
      entity& q = spawn(type, s, boss_muzzle_height);
      boss_muzzle_offset(q, s);
      set_vel(q, boss_shot_speed * std::cos(phi), 8.0 * (p[1] - s.pos[1] - 1.5),
              boss_shot_speed * std::sin(phi));
    } else {
      set_vel(spawn(type, s, 1.875), shot_speed * std::cos(phi), 0.5 * (p[1] - s.pos[1] - 1.5),
              shot_speed * std::sin(phi));
    }
  }
}

void fire_single(int32_t type, entity& s, const double p[3]) {
  const double eye[3] = {p[0], p[1] + player_eye_height, p[2]};
  double u[3] = {eye[0] - s.pos[0], eye[1] - s.pos[1], eye[2] - s.pos[2]};
  const double length = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
  for (double& c : u) c = length > 0.0 ? c / length : 0.0;  // a shooter inside the player's eye aims nowhere

  double height = 0.0;
  entity& q = spawn(type, s, 0.0);
  if (type == ent_homing_shot) {
    set_vel(q, shot_speed * u[0], 0.0, shot_speed * u[2]);
    q.facing = std::atan2(p[0] - s.pos[0], p[2] - s.pos[2]);
  } else {
    set_vel(q, single_shot_speed * u[0], 0.5 * (eye[1] - (s.pos[1] + single_shot_rise)),
            single_shot_speed * u[2]);
  }
  if (s.type == ent_boss2) {
    q.aux_timer = rand() % 4;  // seconds until a spawn shot hatches
    height = boss_muzzle_height;
    boss_muzzle_offset(q, s);
    const double a = bearing(s, p);
    set_vel(q, boss_shot_speed * std::cos(a), 8.0 * (p[1] - s.pos[1] - 1.5), boss_shot_speed * std::sin(a));
  }
  q.pos[1] += height + single_shot_rise;
}

}  // namespace

void enemy_fire(int32_t type, entity& shooter, const double player_pos[3]) {
  switch (pattern_of(shooter)) {
    case pattern_fan:
      fire_fan(type, shooter, player_pos);
      break;
    case pattern_three:
      fire_three(type, shooter, player_pos);
      break;
    case pattern_single:
      fire_single(type, shooter, player_pos);
      break;
  }
}

void enemy_hitscan(entity& s, player& p, const bsp_node* root, int32_t damage) {
  if (!enemy_sees_player(s, p, root)) return;
  const hit_box box = make_hit_box(p.pos, 1.5, 1.0);
  s.aim_end[0] = s.pos[0] + instant_shot_reach * std::cos(s.aim_angle);
  s.aim_end[1] = s.pos[1] + player_eye_height;
  s.aim_end[2] = s.pos[2] + instant_shot_reach * std::sin(s.aim_angle);
  const hit_box_result r = hit_box_test(box, s.pos, s.aim_end);
  if (r.met_a)
    printf("intersected plane 1\n");
  else if (r.plane == hit_plane_b)
    printf("intersected plane 2\n");
  if (!r.hit) return;
  printf("player hit!\n");
  p.health -= skill_damage(p.skill, damage);
  for (double& v : p.vel) v *= 0.5;
}
