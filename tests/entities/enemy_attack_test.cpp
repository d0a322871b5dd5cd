// Enemy volleys, instant shots and the flight of every kind of projectile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/skill.h"
#include "entities/entity_list.h"
#include "entities/hit_box.h"
#include "tests/entities/enemy_arena.h"
#include "tests/support/capture_stdout.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A wide hall with the player at its west end and room for one shooter.
const std::vector<std::string> hall = {
    "#########################", "#.......................#", "#.......................#",
    "#.P..........S..........#", "#.......................#", "#....L.........L........#",
    "#########################",
};

// Makes `s` a shooter of `type`, about to fire its next volley.
entity* ready_to_fire(arena& a, entity* s, int type, int phase) {
  s->type = type;
  s->state = s_fire;
  s->state_timer = 0.3 - 1e-9;
  s->phase = phase;
  s->aim_angle = std::atan2(a.p.pos[2] - s->pos[2], a.p.pos[0] - s->pos[0]);
  return s;
}

// Directions of the shots spawned this tick, in degrees from the line to
// the player, in spawn order.
std::vector<double> shot_angles(const arena& a, const entity* s, int type) {
  const double to_player = std::atan2(a.p.pos[2] - s->pos[2], a.p.pos[0] - s->pos[0]);
  std::vector<double> angles;
  for (const entity* q = a.head(); q; q = q->next)
    if (q->type == type)
      angles.push_back(std::remainder(std::atan2(q->vel[2], q->vel[0]) - to_player, 2 * pi) * 180.0 / pi);
  return angles;
}

double horizontal_speed(const entity& q) { return std::hypot(q.vel[0], q.vel[2]); }

struct volley_case {
  int shooter;
  int phase;
  int shot;
  std::vector<double> angles;  // empty: a single aimed shot
  double speed;
  double height;  // above the shooter's feet
};

TEST(EnemyAttack, EachVolleySpawnsItsPattern) {
  const std::vector<volley_case> cases = {
      {ent_mob2, 0, ent_shot_b, {0}, 20.0, 1.75},
      {ent_mob4, 0, ent_shot_a, {-30, -18, -6, 6, 18}, 15.0, 3.125},
      {ent_mob7, 0, ent_homing_shot, {0}, 15.0, 1.75},
      {ent_mob8, 0, ent_shot_a, {-15, -5, 5}, 15.0, 1.875},
      {ent_mob10, 0, ent_homing_shot, {0}, 15.0, 1.75},
      {ent_mob10, 1, ent_shot_c, {-30, -18, -6, 6, 18}, 15.0, 1.5},
      {ent_mob13, 0, ent_shot_c, {0}, 20.0, 1.75},
      {ent_mob14, 0, ent_shot_c, {-30, -18, -6, 6, 18}, 15.0, 2.5},
      {ent_boss1, 0, ent_boss_shot, {-30, -18, -6, 6, 18}, 15.0, 12.0},
      {ent_boss2, 0, ent_boss_shot, {-30, -18, -6, 6, 18}, 15.0, 12.0},
  };
  for (const volley_case& vc : cases) {
    SCOPED_TRACE(testing::Message() << "shooter " << vc.shooter << " phase " << vc.phase);
    arena a;
    ASSERT_TRUE(a.build(hall, entity_key('S', "ent_prop1")));
    entity* s = ready_to_fire(a, a.first(100), vc.shooter, vc.phase);
    a.tick();
    EXPECT_EQ(count_occurrences(a.log, "firing gun!\n"), 1);
    std::vector<double> angles = shot_angles(a, s, vc.shot);
    ASSERT_EQ(angles.size(), vc.angles.size());
    const bool single = vc.angles.size() == 1;
    for (size_t i = 0; i < angles.size(); ++i) EXPECT_NEAR(angles[i], vc.angles[i], single ? 1.0 : 1e-6);
    for (const entity* q = a.head(); q; q = q->next) {
      if (q->type != vc.shot) continue;
      EXPECT_EQ(q->id, s->id);
      EXPECT_EQ(q->sound_source, 0u);
      EXPECT_NEAR(horizontal_speed(*q), vc.speed, single ? 0.5 : 1e-9);
      EXPECT_NEAR(q->pos[1] - s->pos[1], vc.height, 1e-9);
    }
  }
}

// The bosses' second weapons: boss1's three heavy shots scatter up to 4
// degrees and leave from its side; boss2 lobs one spawn shot.
TEST(EnemyAttack, TheBossesSecondWeapons) {
  arena a;
  ASSERT_TRUE(a.build(hall, entity_key('S', "ent_prop1")));
  entity* s = ready_to_fire(a, a.first(100), ent_boss1, 1);
  a.tick();
  std::vector<double> angles = shot_angles(a, s, ent_boss_shot);
  ASSERT_EQ(angles.size(), 3u);
  const double base[3] = {-15, -5, 5};
  for (int i = 0; i < 3; ++i) EXPECT_LE(std::fabs(angles[i] - base[i]), 4.0 + 1e-9);
  for (const entity* q = a.head(); q; q = q->next) {
    if (q->type != ent_boss_shot) continue;
    EXPECT_NEAR(horizontal_speed(*q), 37.5, 1e-9);
    EXPECT_NEAR(q->pos[1] - s->pos[1], 9.0, 1e-9);
    EXPECT_NEAR(std::hypot(q->pos[0] - s->pos[0], q->pos[2] - s->pos[2]), 2.5, 1e-9);
  }

  arena b;
  ASSERT_TRUE(b.build(hall, entity_key('S', "ent_prop1")));
  entity* boss2 = ready_to_fire(b, b.first(100), ent_boss2, 1);
  b.tick();
  entity* spawn = b.first(ent_spawn_shot);
  ASSERT_NE(spawn, nullptr);
  EXPECT_EQ(b.count(ent_spawn_shot), 1);
  EXPECT_NEAR(spawn->pos[1] - boss2->pos[1], 10.75, 1e-9);
  EXPECT_GE(spawn->aux_timer, 0.0);
  EXPECT_LE(spawn->aux_timer, 3.0);
  EXPECT_EQ(spawn->aux_timer, std::floor(spawn->aux_timer)) << "whole seconds";
}

// An instant shot that finds the player takes 10 health and halves its
// velocity; mob9's takes 40. A shot aimed past the player misses. Easy
// halves a hit and doubles the aim; Hard takes half as much again.
TEST(EnemyAttack, InstantShotsHurtAndSlowThePlayer) {
  arena a;
  ASSERT_TRUE(a.build(hall, entity_key('S', "ent_prop1")));
  // Exactly level in z, the shot would meet plane A at the shooter's own
  // feet and miss; the player stands a little aside.
  a.put_player(a.p.pos[0], a.p.pos[1], a.p.pos[2] + 0.5);
  entity* s = ready_to_fire(a, a.first(100), ent_mob5, 0);
  a.p.vel[0] = 4.0;
  a.p.vel[2] = -2.0;
  a.tick();
  EXPECT_TRUE(lines_in_order(a.log, {"firing gun!\n", "intersected plane 1\n", "player hit!\n"})) << a.log;
  EXPECT_EQ(a.p.health, 90);
  EXPECT_DOUBLE_EQ(a.p.vel[0], 2.0);
  EXPECT_DOUBLE_EQ(a.p.vel[2], -1.0);
  EXPECT_NEAR(s->aim_end[1], s->pos[1] + 2.25, 1e-12);
  EXPECT_EQ(s->state, s_aim) << "mob5 aims anew after each volley";

  entity* nine = ready_to_fire(a, s, ent_mob9, 0);
  a.tick();
  EXPECT_EQ(a.p.health, 50);

  // Aimed well to the side: the shot's line meets plane A outside the box.
  nine->state = s_fire;
  nine->state_timer = 0.3 - 1e-9;
  nine->aim_angle += 0.5;
  a.log.clear();
  a.tick();
  EXPECT_EQ(count_occurrences(a.log, "player hit!\n"), 0);
  EXPECT_EQ(a.p.health, 50);
  a.p.skill = skill_easy;
  ready_to_fire(a, nine, ent_mob9, 0);
  a.tick();
  EXPECT_EQ(a.p.health, 30);
  nine->state = s_aim;
  nine->state_timer = 0.0;
  int aimed = 0;
  for (; nine->state == s_aim && aimed < 200; ++aimed) a.tick();
  EXPECT_NEAR(aimed, 72.5, 0.5);  // 1.2 s
  a.p.skill = skill_hard;
  ready_to_fire(a, nine, ent_mob9, 0);
  a.tick();
  EXPECT_EQ(a.p.health, -30);
}

// Shots aimed within a unit of a body's middle, from 8 directions 8 and 20
// units off, each a little off its direction (up to 3 degrees): the crossed
// rectangles take them alike from every side. The table is printed.
TEST(EnemyAttack, TheHitBoxTakesAimedShotsAlikeFromEveryDirection) {
  const double c[3] = {4.0, 0.0, -7.0};
  const hit_box box = make_hit_box(c, 1.5, 1.0);
  srand(5);
  auto draw = [] { return rand() / static_cast<double>(RAND_MAX) * 2.0 - 1.0; };
  double lowest = 100.0, highest = 0.0;
  for (double distance : {8.0, 20.0}) {
    printf("hit rate at %2.0f units:", distance);
    for (int k = 0; k < 8; ++k) {
      int hits = 0;
      for (int n = 0; n < 1000; ++n) {
        const double from_side = (k * 45.0 + 3.0 * draw()) * pi / 180.0;
        const double across = draw();  // where the aim passes the middle
        const double ux = std::cos(from_side), uz = std::sin(from_side);
        const double a[3] = {c[0] + distance * ux, c[1] + 2.25, c[2] + distance * uz};
        const double aim[3] = {c[0] - across * uz, c[1] + 1.0, c[2] + across * ux};
        const double b[3] = {a[0] + 1000.0 * (aim[0] - a[0]) / distance, aim[1],
                             a[2] + 1000.0 * (aim[2] - a[2]) / distance};
        hits += hit_box_test(box, a, b).hit;
      }
      printf(" %5.1f%%", hits / 10.0);
      lowest = std::min(lowest, hits / 10.0);
      highest = std::max(highest, hits / 10.0);
    }
    printf("\n");
  }
  EXPECT_GT(lowest, 95.0);
  EXPECT_LT(highest - lowest, 3.0);
}

// Shots fly until a wall stops them; one that passes near the player hits
// it for 30 and stops it.
TEST(EnemyAttack, ProjectilesEndOnWallsAndOnThePlayer) {
  arena a;
  ASSERT_TRUE(a.build(hall, entity_key('S', "ent_prop1")));
  entity* s = a.first(100);
  // Fired away from the player, at the east wall.
  entity* q = entity_append(ent_shot_b, a.head());
  for (int i = 0; i < 3; ++i) q->pos[i] = s->pos[i];
  q->pos[1] += 1.75;
  q->vel[0] = 20.0;
  double last_x = q->pos[0];
  int ticks = 0;
  while (a.count(ent_shot_b) == 1 && ticks < 600) {
    last_x = a.first(ent_shot_b)->pos[0];
    a.tick();
    ++ticks;
  }
  EXPECT_EQ(a.count(ent_shot_b), 0) << "the wall ended it";
  EXPECT_LT(ticks, 90);
  EXPECT_LT(last_x, 48.0) << "it never passed the wall";

  // Fired at the player from 8 units east, level with its chest.
  q = entity_append(ent_shot_a, a.head());
  q->pos[0] = a.p.pos[0] + 8.0;
  q->pos[1] = a.p.pos[1] + 1.5;
  q->pos[2] = a.p.pos[2];
  q->vel[0] = -15.0;
  a.p.vel[0] = 3.0;
  a.tick(40);
  EXPECT_EQ(a.count(ent_shot_a), 0);
  EXPECT_EQ(a.p.health, 70);
  EXPECT_EQ(a.p.vel[0], 0.0);
}

// mob7's shot turns toward the player every half second.
TEST(EnemyAttack, HomingShotsTurnTowardThePlayer) {
  arena a;
  ASSERT_TRUE(a.build(hall, entity_key('S', "ent_prop1")));
  entity* q = entity_append(ent_homing_shot, a.head());
  q->pos[0] = a.p.pos[0] + 30.0;
  q->pos[1] = 1.75;
  q->pos[2] = a.p.pos[2] + 4.0;
  q->vel[0] = -15.0;
  q->facing = std::atan2(-1.0, 0.0);  // sprite along -x
  a.tick(31);                         // past half a second: one turn, toward where the player was seen
  const double to_player = std::atan2(a.p.pos[0] - q->pos[0], a.p.pos[2] - q->pos[2]);
  EXPECT_NEAR(q->facing, to_player, 0.01);
  EXPECT_GT(std::fabs(q->facing - std::atan2(-1.0, 0.0)), 0.1);
  EXPECT_NEAR(q->vel[0], 15.0 * std::sin(q->facing), 1e-9);
  EXPECT_NEAR(q->vel[2], 15.0 * std::cos(q->facing), 1e-9);
}

// mob5 throws its orb once while aiming; where the orb stops, the mob5
// appears, chasing.
TEST(EnemyAttack, TheTeleportOrbMovesItsThrower) {
  arena a;
  ASSERT_TRUE(a.build(hall, entity_key('S', "ent_mob5")));
  entity* m = a.first(ent_mob5);
  m->state = s_aim;
  m->frame = 9;
  a.tick();
  entity* orb = a.first(ent_teleport_orb);
  ASSERT_NE(orb, nullptr);
  EXPECT_EQ(orb->id, m->id);
  EXPECT_EQ(m->ai_flag, 1);
  EXPECT_NEAR(orb->pos[1] - m->pos[1], 1.75, 1e-9);
  EXPECT_NEAR(horizontal_speed(*orb), 4.0, 1e-9);
  const double to_player = std::atan2(a.p.pos[2] - m->pos[2], a.p.pos[0] - m->pos[0]);
  EXPECT_NEAR(std::fabs(std::remainder(std::atan2(orb->vel[2], orb->vel[0]) - to_player, 2 * pi)), pi / 4,
              1e-9);

  // Keep the thrower busy aiming so only the orb moves it.
  double where[3] = {0, 0, 0};
  int ticks = 0;
  while (a.first(ent_teleport_orb) && ticks < 400) {
    for (int i = 0; i < 3; ++i) where[i] = a.first(ent_teleport_orb)->pos[i];
    m->state = s_pain;
    m->state_timer = 0.0;
    a.tick();
    ++ticks;
  }
  EXPECT_EQ(a.count(ent_teleport_orb), 0);
  EXPECT_LE(ticks, 302) << "five seconds at most";
  EXPECT_EQ(m->state, s_chase);
  EXPECT_EQ(m->ai_flag, 0);
  // Where the orb stopped (at most one step on from its last place).
  EXPECT_NEAR(m->pos[0], where[0], 0.1);
  EXPECT_NEAR(m->pos[2], where[2], 0.1);
  EXPECT_NEAR(m->pos[1], where[1], 1e-9);
  // From there it drops at 30 units a second until a whole step would take
  // it through the floor: it comes to rest less than one step above it.
  m->state = s_pain;
  m->state_timer = 0.0;
  a.tick(10);
  EXPECT_GE(m->pos[1], 0.0);
  EXPECT_LT(m->pos[1], 0.5);

  // Aiming in mid-air it throws nothing: an orb thrown into a wall would
  // lift it again before it landed, and so on up the wall.
  const double floor_y = m->pos[1];
  m->pos[1] += 3.0;
  m->state = s_aim;
  m->ai_flag = 0;
  a.tick();
  EXPECT_EQ(a.first(ent_teleport_orb), nullptr);
  EXPECT_EQ(m->ai_flag, 0);
  m->pos[1] = floor_y;

  // Killed while its next orb flies, it dies once and stays where it fell.
  m->state = s_aim;
  m->ai_flag = 0;
  m->state_timer = 0.0;
  a.tick();
  ASSERT_NE(a.first(ent_teleport_orb), nullptr);
  m->health = 0;
  const double fell_x = m->pos[0];
  a.tick_until([&] { return a.first(ent_teleport_orb) == nullptr; }, 400);
  a.tick(120);
  EXPECT_EQ(a.p.kills, 1);
  EXPECT_EQ(a.p.score, 250);
  EXPECT_EQ(m->state, s_dead);
  EXPECT_DOUBLE_EQ(m->pos[0], fell_x);
}

}  // namespace
