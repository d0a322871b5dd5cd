// Enemies' deaths and what they count, revivals, hatching, and the ends of a level.
#include <gtest/gtest.h>

#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "entities/entity_list.h"
#include "tests/entities/enemy_arena.h"
#include "tests/support/capture_stdout.h"

namespace {

// A room with two spots, A and B; a test that uses one gives the other a prop.
const std::vector<std::string> room = {
    "###################", "#.................#", "#.P.....A.....B...#",
    "#....L......L.....#", "###################",
};

class EnemyLife : public testing::Test {
 protected:
  void SetUp() override { reset_program_flags(); }
  void TearDown() override { reset_program_flags(); }
};

// Each death counts once, with the kind's score; the worker's costs 100.
TEST_F(EnemyLife, DeathsCountOnceWithTheirScore) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_mob4") + entity_key('B', "ent_worker")));
  entity* four = a.first(ent_mob4);
  entity* worker = a.first(ent_worker);
  four->health = 0;
  worker->health = -30;
  a.tick();
  EXPECT_EQ(four->state, s_dying);
  EXPECT_EQ(a.p.kills, 2);
  EXPECT_EQ(a.p.score, 500 - 100);
  // Dying runs cells 1 to 5 at 0.2 s each (the first step may come early,
  // the clock runs on from before); more hits on the body count nothing.
  four->health -= 100;
  int ticks = a.tick_until([&] { return four->state == s_dead; }, 200);
  EXPECT_GE(ticks, 3 * 13);
  EXPECT_LE(ticks, 4 * 13);
  EXPECT_EQ(a.p.kills, 2);
  EXPECT_EQ(a.p.score, 400);
  EXPECT_EQ(level_done_flag, 0);
  a.tick(600);
  EXPECT_EQ(four->state, s_dead) << "the dead stay dead";
}

// mob9 gets up again after its delay, with 1 health point while it rises,
// and its next death counts again; a player's projectile keeps it down.
TEST_F(EnemyLife, Mob9RevivesAndCountsAgain) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_mob9") + entity_key('B', "ent_prop2")));
  entity* m = a.first(ent_mob9);
  m->ai_flag = 1;  // its revive delay, in seconds
  m->health = 0;
  a.tick_until([&] { return m->state == s_dead; }, 200);
  EXPECT_EQ(a.p.score, 300);
  const int ticks = a.tick_until([&] { return m->state == s_revive; }, 200);
  EXPECT_NEAR(ticks, 60, 2);
  EXPECT_EQ(m->health, 1);
  EXPECT_EQ(m->ai_flag, 2);
  EXPECT_EQ(m->frame, 5);
  a.tick_until([&] { return m->state != s_revive; }, 200);
  EXPECT_EQ(m->state, s_chase);
  EXPECT_EQ(m->health, 100);
  EXPECT_EQ(m->ai_flag, 0);

  // Killed again while reviving: counted again.
  m->state = s_revive;
  m->health = 0;
  a.tick();
  EXPECT_EQ(a.p.kills, 2);
  EXPECT_EQ(a.p.score, 600);

  // Marked by a player's projectile (ai_flag -1), it stays down.
  a.tick_until([&] { return m->state == s_dead; }, 200);
  m->ai_flag = -1;
  a.tick(600);
  EXPECT_EQ(m->state, s_dead);
  EXPECT_EQ(a.p.kills, 2);
}

// boss2's spawn shot hatches into a weak mob2 where it is when its time is
// up; one that meets a wall first is simply gone.
TEST_F(EnemyLife, SpawnShotsHatchOrBreakOnWalls) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_prop1") + entity_key('B', "ent_prop2")));
  entity* s = entity_append(ent_spawn_shot, a.head());
  s->id = 77;
  s->pos[0] = a.p.pos[0] + 10.0;
  s->pos[1] = 2.0;
  s->pos[2] = a.p.pos[2];
  s->vel[0] = 1.0;
  s->aux_timer = 1.0;
  a.tick(61);
  EXPECT_EQ(s->type, ent_mob2);
  EXPECT_EQ(s->health, 10);
  EXPECT_EQ(s->frame, 0);
  EXPECT_EQ(s->id, 77);
  EXPECT_EQ(s->sound_source, 0u);
  a.tick(30);
  // It lives as an enemy: it fell, saw the player and went for it (still in
  // the air, the floor test finds a gap and it stops to shoot).
  EXPECT_TRUE(s->state == s_chase || s->state == s_aim || s->state == s_fire) << s->state;
  EXPECT_LT(s->pos[1], 0.5);

  entity* t = entity_append(ent_spawn_shot, a.head());
  t->pos[0] = a.p.pos[0];
  t->pos[1] = 2.0;
  t->pos[2] = a.p.pos[2];
  t->vel[2] = -40.0;  // into the north wall within a few ticks
  t->aux_timer = 3.0;
  a.tick(30);
  EXPECT_EQ(a.count(ent_spawn_shot), 0);
  EXPECT_EQ(a.count(ent_mob2), 1);
}

// The exit portal completes the level when the player's feet come closer
// than 3.0 to it; exactly 3.0 is not enough.
TEST_F(EnemyLife, TheExitCompletesBelowThreeUnits) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_exit") + entity_key('B', "ent_prop2")));
  entity* exit = a.first(ent_exit);
  a.put_player(exit->pos[0] + 3.0, exit->pos[1], exit->pos[2]);
  a.tick(5);
  EXPECT_EQ(level_done_flag, 0);
  a.put_player(exit->pos[0], exit->pos[1] + 2.99, exit->pos[2]);
  a.tick();
  EXPECT_EQ(level_done_flag, 1);
}

// With two boss1s the level is done when the second one is dead; boss2 ends
// it alone; mob10 only on level 4.
TEST_F(EnemyLife, BossDeathsCompleteTheLevel) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_boss1") + entity_key('B', "ent_boss1")));
  entity* first = a.first(ent_boss1);
  entity* second = first->next->type == ent_boss1 ? first->next : nullptr;
  for (entity* e = first->next; !second && e; e = e->next)
    if (e->type == ent_boss1) second = e;
  ASSERT_NE(second, nullptr);
  a.put_player(first->pos[0], 0.0, first->pos[2] - 60.0);  // out of the way
  first->health = 0;
  a.tick_until([&] { return first->state == s_dead; }, 400);
  a.tick(60);
  EXPECT_EQ(level_done_flag, 0);
  second->health = 0;
  const int ticks = a.tick_until([&] { return level_done_flag != 0; }, 400);
  EXPECT_EQ(second->state, s_dead);
  EXPECT_GE(ticks, 3 * 24) << "the large kinds die at 0.4 s a cell";
  EXPECT_LE(ticks, 4 * 24 + 1);
  EXPECT_EQ(a.p.score, 20000);

  for (int level : {3, 4}) {
    reset_program_flags();
    arena b;
    ASSERT_TRUE(b.build(room, entity_key('A', "ent_mob10") + entity_key('B', "ent_boss2")));
    b.p.level_number = level;
    b.first(ent_mob10)->health = 0;
    b.tick(200);
    EXPECT_EQ(level_done_flag, level == 4 ? 1 : 0) << "mob10 on level " << level;
    reset_program_flags();
    b.first(ent_boss2)->health = 0;
    b.tick(200);
    EXPECT_EQ(level_done_flag, 1) << "boss2";
  }
}

// A boss keeps the player at arm's length: within 10 units the player is
// thrown away from it at three times the offset.
TEST_F(EnemyLife, BossesPushThePlayerAway) {
  arena a;
  ASSERT_TRUE(a.build(room, entity_key('A', "ent_boss1") + entity_key('B', "ent_prop2")));
  entity* boss = a.first(ent_boss1);
  boss->state = 0;  // standing still, so only the push acts
  a.put_player(boss->pos[0] - 6.0, 0.0, boss->pos[2] + 2.0);
  a.tick();
  EXPECT_DOUBLE_EQ(a.p.vel[0], -18.0);
  EXPECT_DOUBLE_EQ(a.p.vel[2], 6.0);
  const double before = boss->pos[0] - a.p.pos[0];
  a.tick(20, true);
  EXPECT_GT(boss->pos[0] - a.p.pos[0], before) << "the player was thrown back";
  a.put_player(boss->pos[0] - 10.0, 0.0, boss->pos[2]);
  a.p.vel[0] = a.p.vel[1] = a.p.vel[2] = 0.0;
  a.tick();
  EXPECT_EQ(a.p.vel[0], 0.0) << "10 units is out of reach";
}

}  // namespace
