// Enemies on the move: chasing, stopping to aim, finding routes, fleeing.
#include <gtest/gtest.h>

#include <cmath>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/enemy_sight.h"
#include "tests/entities/enemy_arena.h"
#include "tests/support/capture_stdout.h"
#include "world/ai_node.h"

namespace {

double horizontal_distance(const entity& e, const player& p) {
  return std::hypot(e.pos[0] - p.pos[0], e.pos[2] - p.pos[2]);
}

// A long hall: the player at the west end, a soldier 12 units east.
TEST(EnemyMove, ChasesStopsShortOfThePlayerThenAimsAndShoots) {
  arena a;
  ASSERT_TRUE(a.build({"#####################", "#...................#", "#.P.....3...........#",
                       "#....L.........L....#", "#####################"},
                      entity_key('3', "ent_mob3")));
  entity* e = a.first(ent_mob3);
  ASSERT_NE(e, nullptr);
  a.put_player(a.p.pos[0], a.p.pos[1], a.p.pos[2] + 0.5);  // not exactly in line: see the attack tests
  const double start_distance = horizontal_distance(*e, a.p);
  ASSERT_GT(start_distance, 9.0);

  a.tick();
  EXPECT_EQ(e->state, s_chase) << "it sees the player and wakes";
  int chase_ticks = 1;
  double closest = start_distance;
  while (e->state == s_chase && chase_ticks < 600) {
    a.tick();
    ++chase_ticks;
    closest = std::min(closest, horizontal_distance(*e, a.p));
  }
  // 1.2 s of chasing at 60 ticks a second, then it stops to aim.
  EXPECT_NEAR(chase_ticks, 73, 1);
  EXPECT_EQ(e->state, s_aim);
  EXPECT_EQ(e->frame, 9);
  // It walked 6 units a second and never came closer than 5.05 less a step.
  EXPECT_GT(closest, 5.05 - 6.0 / 60.0 - 1e-9);
  EXPECT_LE(closest, 5.05);
  EXPECT_NEAR(e->pos[1], 0.0, 1e-9) << "it walks on the floor";

  // Aiming takes 0.6 s; then a volley every 0.3 s, three in a burst, each an
  // instant shot that takes 10 health.
  a.log.clear();
  a.tick(36 + 3 * 19);
  EXPECT_EQ(count_occurrences(a.log, "firing gun!\n"), 3);
  EXPECT_EQ(count_occurrences(a.log, "player hit!\n"), 3);
  EXPECT_EQ(a.p.health, 70);
  // Its burst over, it goes on firing from within 5 units and chases again
  // from farther (it stopped anywhere up to 5.05 away).
  const double d = horizontal_distance(*e, a.p);
  EXPECT_EQ(e->state, d > 5.0 ? s_chase : s_fire) << d;
}

// Out of sight and level with the player, a chaser looks for a route over
// the navigation graph and walks it until it sees the player again.
TEST(EnemyMove, LosingSightFindsARouteAroundTheWall) {
  arena a;
  ASSERT_TRUE(a.build({"#######################", "#.....L.......#.......#", "#.P...........#...L...#",
                       "#.............#.......#", "#######.......#.......#", "#.............#...6...#",
                       "#..L..........#.......#", "#.....................#", "#######################"},
                      entity_key('6', "ent_mob6")));
  entity* e = a.first(ent_mob6);
  ASSERT_NE(e, nullptr);
  ASSERT_GT(loaded_node_count(a.map), 4);
  // The player first shows itself in the doorway of the mob6's room.
  a.put_player(e->pos[0] - 8.0, 0.0, e->pos[2] + 4.0);
  a.tick();
  ASSERT_EQ(e->state, s_chase);
  // Then it steps back behind the wall, into the west room.
  entity* start = a.first(1);
  a.put_player(start->pos[0], start->pos[1], start->pos[2]);
  ASSERT_FALSE(enemy_sees_player(*e, a.p, a.map.root));
  a.log.clear();
  int ticks = a.tick_until([&] { return enemy_sees_player(*e, a.p, a.map.root); }, 1200);
  EXPECT_LT(ticks, 1200) << "it came round the wall";
  EXPECT_TRUE(lines_in_order(a.log, {"getting path...\n", "state s_get_path\n", "path exists\n",
                                     "the path between ", "reached node "}))
      << a.log.substr(0, 2000);
  a.tick();
  EXPECT_EQ(e->state, s_chase);
}

// The worker never fights: seeing the player it runs to the first node the
// player cannot see and rests there.
TEST(EnemyMove, TheWorkerFleesToANodeThePlayerCannotSee) {
  arena a;
  ASSERT_TRUE(a.build(
      {"#####################", "#........#..........#", "#.P......#....L.....#", "#...L...............#",
       "#.......w...........#", "#........#..........#", "#####################"},
      entity_key('w', "ent_worker")));
  entity* w = a.first(ent_worker);
  ASSERT_NE(w, nullptr);
  a.tick();
  EXPECT_EQ(w->state, s_get_path);
  EXPECT_NE(a.log.find("a worker did NOT go to s_get_path!\n"), std::string::npos);
  int ticks =
      a.tick_until([&] { return !enemy_sees_player(*w, a.p, a.map.root) && w->state == s_idle; }, 900);
  EXPECT_LT(ticks, 900);
  EXPECT_GT(w->pos[0], a.p.pos[0] + 16.0) << "it went through the gap into the east room";
  // Resting out of sight it stays put; it never chases or aims.
  const double x = w->pos[0], z = w->pos[2];
  a.tick(120);
  EXPECT_EQ(w->state, s_idle);
  EXPECT_DOUBLE_EQ(w->pos[0], x);
  EXPECT_DOUBLE_EQ(w->pos[2], z);
  EXPECT_EQ(a.log.find("firing gun!"), std::string::npos);
}

// A chaser that would walk across a hole in the floor stops to shoot instead.
TEST(EnemyMove, AGapInTheFloorStopsTheChaseToAim) {
  arena a;
  ASSERT_TRUE(a.build(
      {"#####################", "#.......ooo.........#", "#.P.....ooo......7..#", "#....L..ooo....L....#",
       "#####################"},
      entity_key('7', "ent_mob7") + "kind pit -6 6 floor_tiles ceiling_panel metal_wall\nkey o pit\n"));
  entity* e = a.first(ent_mob7);
  ASSERT_NE(e, nullptr);
  a.tick();  // wakes
  a.tick();  // the gap check on the first chasing tick
  EXPECT_EQ(e->state, s_aim);
  EXPECT_EQ(e->frame, 9);
  EXPECT_EQ(e->ai_flag, 0);
  EXPECT_GT(e->pos[0], a.p.pos[0] + 15.0) << "it stayed on its side";
}

}  // namespace
