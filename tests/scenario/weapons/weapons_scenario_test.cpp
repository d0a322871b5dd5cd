// Fights and pickups through the real entity walk and player tick on compiled levels.
#include <gtest/gtest.h>

#include <string>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "tests/scenario/weapons/weapons_level.h"
#include "tests/support/capture_stdout.h"

namespace {

// A corridor one cell wide, the enemy `c` 16 units up it in the line of fire.
std::string corridor(char c) {
  std::string rows = "#####\n#...#\n#." + std::string(1, c) + ".#\n";
  for (int i = 0; i < 7; ++i) rows += "##.##\n";
  return rows + "#...#\n#.P.#\n#####\n";
}

// Every kind, with a gun that suits it: the mob9 stays dead only when a
// projectile struck it, and the large ones get the shotgun.
TEST(WeaponsScenario, HoldingFireAtEachKindOfEnemyPainsItThenKillsItForItsScore) {
  const struct {
    char code;
    int type, gun, score;
  } fights[] = {{'w', ent_worker, 0, -100}, {'2', ent_mob2, 1, 200},   {'3', ent_mob3, 0, 100},
                {'4', ent_mob4, 3, 500},    {'5', ent_mob5, 0, 250},   {'6', ent_mob6, 2, 100},
                {'7', ent_mob7, 1, 300},    {'8', ent_mob8, 0, 250},   {'9', ent_mob9, 2, 300},
                {'A', ent_mob10, 1, 2000},  {'D', ent_mob13, 0, 200},  {'F', ent_mob14, 3, 250},
                {'B', ent_boss1, 1, 10000}, {'C', ent_boss2, 1, 10000}};
  for (const auto& f : fights) {
    SCOPED_TRACE(testing::Message() << "enemy " << f.type << ", gun " << f.gun);
    weapons_level l;
    ASSERT_TRUE(load_weapons_level(corridor(f.code), l));
    l.p.health = 100000;  // the fight runs its course whatever the enemy does back
    l.p.kills = 3, l.p.score = 1000;
    l.p.guns[f.gun].loaded = 40, l.p.guns[f.gun].reserve = 1000;
    l.p.current_gun = f.gun;
    entity* enemy = l.first(f.type);
    l.down[key_slot_control] = true;
    bool pained = false;
    capture_stdout_begin();
    for (int t = 0; t < 6000 && enemy->state != s_dead; ++t) {
      l.run();
      pained = pained || enemy->state == s_pain;
    }
    capture_stdout_end();
    EXPECT_TRUE(pained);
    EXPECT_EQ(enemy->state, s_dead);
    EXPECT_EQ(l.p.kills, 4);
    EXPECT_EQ(l.p.score, 1000 + f.score);
    level_done_flag = 0;  // a boss's death completes the level
  }
}

// A lane one cell wide with the enemy `c` 8 units from the player's start,
// running north (z) or east (x); the yaw that looks down it.
std::string lane(char c, bool along_x, double* yaw) {
  *yaw = along_x ? 270.0 : 0.0;
  if (along_x) return std::string("#######\n#P...") + c + "#\n#######\n";
  return std::string("###\n#") + c + "#\n#.#\n#.#\n#.#\n#P#\n###\n";
}

// A shot that runs almost along x meets the body's z plane far from it; the
// other rectangle must still take it, so a lane along x fights like one
// along z, both ways round.
TEST(WeaponsScenario, ShotsDownALaneHitAlikeAlongXAndAlongZ) {
  int rounds[2] = {0, 0};
  for (bool along_x : {false, true}) {
    SCOPED_TRACE(along_x ? "along x" : "along z");
    weapons_level l;
    double yaw = 0.0;
    ASSERT_TRUE(load_weapons_level(lane('3', along_x, &yaw), l));
    l.p.yaw = yaw;
    l.p.health = 100000;
    entity* enemy = l.first(ent_mob3);
    // The player stands still: each of the enemy's aimed shots hits.
    capture_stdout_begin();
    l.run(600);
    const std::string log = capture_stdout_end();
    EXPECT_GT(count_occurrences(log, "firing gun!\n"), 5);
    EXPECT_EQ(count_occurrences(log, "player hit!\n"), count_occurrences(log, "firing gun!\n"));
    // Gun 0 held down the lane: every round of the 200 health's 8 hits home.
    l.down[key_slot_control] = true;
    capture_stdout_begin();
    for (int t = 0; t < 1200 && enemy->health > 0; ++t) l.run();
    capture_stdout_end();
    EXPECT_LE(enemy->health, 0);
    rounds[along_x] = 60 - l.p.guns[0].loaded;
  }
  EXPECT_EQ(rounds[0], 8);
  EXPECT_EQ(rounds[1], rounds[0]);
}

TEST(WeaponsScenario, AnEnemyBehindAWallIsNotHit) {
  weapons_level l;  // the mob3 stands straight ahead beyond a wall
  ASSERT_TRUE(load_weapons_level("#######\n#..3..#\n#.....#\n#######\n#.....#\n#..P..#\n#######\n", l));
  l.p.guns[2].loaded = 40;
  for (int gun : {0, 2}) {
    l.p.current_gun = gun;
    l.down[key_slot_control] = true;
    l.run(120);
    l.down[key_slot_control] = false;
    l.run(5);
  }
  EXPECT_LT(l.p.guns[0].loaded, 60);
  EXPECT_LT(l.p.guns[2].loaded, 40);
  EXPECT_EQ(l.first(ent_mob3)->health, 200);
  EXPECT_EQ(l.first(ent_mob3)->state, s_idle);
  EXPECT_EQ(l.count(ent_player_shot_a), 0) << "the wall ended every energy ball";
}

TEST(WeaponsScenario, WalkingOverEachPickupAppliesItOnceAndRemovesIt) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level("#################\n#P.m.s.e.c.h.M..#\n#################\n", l));
  player& p = l.p;
  p.yaw = 270.0;  // east, along +x
  p.guns[0].loaded = 35, p.guns[0].reserve = 10;
  const char* messages[] = {"Picked up a magazine.",        "Picked up some shells.",
                            "Picked up some energy cells.", "Picked up a LBBUS cell.",
                            "You found some morphine.",     "You caught a mouse!"};
  int seen = 0;
  l.down[char_slot('w')] = true;
  capture_stdout_begin();
  for (int t = 0; t < 240; ++t) {
    l.run();
    if (seen < 6 && strcmp(p.pickup_message, messages[seen]) == 0) ++seen;
  }
  EXPECT_EQ(count_occurrences(capture_stdout_end(), "pickup?\n"), 6);
  EXPECT_EQ(seen, 6) << "each message in turn";
  EXPECT_GT(p.pos[0], 28.0) << "walked to the far end";
  for (int type : {400, 401, 402, 403, 410, 420}) EXPECT_EQ(l.count(type), 0);
  const int guns[4][2] = {{60, 85}, {2, 18}, {40, 60}, {10, 10}};  // loaded, reserve
  for (int g = 0; g < 4; ++g) {
    EXPECT_EQ(p.guns[g].loaded, guns[g][0]) << "gun " << g;
    EXPECT_EQ(p.guns[g].reserve, guns[g][1]) << "gun " << g;
  }
  EXPECT_EQ(p.health, 150) << "morphine has no ceiling";
  EXPECT_EQ(p.score, 3000);
  EXPECT_EQ(p.mice, 1);
}

}  // namespace
