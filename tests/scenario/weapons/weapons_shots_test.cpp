// Where the player's shots go and what they do: instant shots, pellets, projectiles, the strike.
#include <gtest/gtest.h>

#include <cmath>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entity_list.h"
#include "tests/scenario/weapons/weapons_level.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// The player at the south end of a hall looking north: a mob2 2 units
// ahead, a mob4 20 units ahead in the same line.
const char* hall =
    "###########\n#....4....#\n#.........#\n#.........#\n#.........#\n#.........#\n#.........#\n"
    "#.........#\n#.........#\n#.........#\n#....2....#\n#....P....#\n###########\n";

TEST(PlayerShots, TheShotgunFansFifteenPelletsFourDegreesApartCentredOnTheView) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(hall, l));
  entity* near = l.first(ent_mob2);
  entity* far = l.first(ent_mob4);
  near->pos[1] = -50.0;  // out of sight under the floor
  const double eye_x = l.p.pos[0], eye_z = l.p.pos[2];
  for (double pitch : {0.0, 30.0, 330.0}) {  // the pitch does not bend the fan sideways
    SCOPED_TRACE(testing::Message() << "pitch " << pitch);
    l.p.pitch = pitch;
    for (hit_marker& m : l.p.hit_markers) m = hit_marker{};
    const int before = far->health;
    l.fire_once(1);
    EXPECT_EQ(l.p.guns[1].loaded, 0) << "two shells a shot";
    EXPECT_EQ(l.p.reloading, 1) << "and a reload after it";
    // Each pellet leaves its marker where it crossed the far mob4's plane.
    for (int i = 0; i < 15; ++i) {
      const hit_marker& m = l.p.hit_markers[i];
      EXPECT_NEAR(std::atan2(eye_x - m.pos[0], eye_z - m.pos[2]) * 180 / pi, -28.0 + 4.0 * i, 1e-6) << i;
      EXPECT_EQ(m.active, i >= 6 && i <= 8) << i;
    }
    // 20 units away its body (2.5 each side) takes the three middle pellets.
    EXPECT_EQ(before - far->health, 3 * 45);
  }

  // Close up the mob2 (1.75 each side, 2 units away) takes all fifteen; the
  // first pellets pain it, the fourteenth kills it. The far one is pained by
  // its first pellet, and the next two find it in pain: they add no cry of
  // their own but leave the first one's to be heard.
  near->pos[1] = far->pos[1];
  far->health = 1000, far->state = s_idle, far->sound_event = 0;
  l.fire_once(1);
  EXPECT_EQ(near->health, 600 - 15 * 45);
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(far->health, 1000 - 3 * 45);
  EXPECT_EQ(far->state, s_pain);
  EXPECT_EQ(far->sound_event, 1);
}

TEST(PlayerShots, AnInstantShotWoundsAndPainsEveryEnemyOnItsLine) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(hall, l));
  player& p = l.p;
  entity* near = l.first(ent_mob2);
  entity* far = l.first(ent_mob4);
  far->state = s_aim, far->frame = 9;
  l.fire_once(0);
  EXPECT_EQ(p.shot_sound_request, 2);
  EXPECT_EQ(near->health, 600 - 25);
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(near->frame, 6);
  EXPECT_EQ(near->sound_event, 1);
  // A mob4 struck on its front while aiming cries out but keeps aiming.
  EXPECT_EQ(far->health, 1000 - 25);
  EXPECT_EQ(far->state, s_aim);
  EXPECT_EQ(far->sound_event, 1);
  // The far one is struck first (it is first in the list) and lights marker
  // 0; the near one then moves it to its own front plane.
  EXPECT_TRUE(p.hit_markers[0].active);
  EXPECT_DOUBLE_EQ(p.hit_markers[0].pos[2], near->pos[2]);
  EXPECT_DOUBLE_EQ(p.hit_markers[0].pos[1], p.pos[1] + 2.25);

  // Struck on its side rectangle (a shot along +x) it flinches all the same.
  p.pos[0] = far->pos[0] - 8.0, p.pos[2] = far->pos[2] + 0.5, p.yaw = 270.0;
  l.fire_once(0);
  EXPECT_EQ(far->state, s_pain);
  // A killing shot does not pain, and a corpse is passed over.
  far->health = 20, far->state = s_chase;
  l.fire_once(0);
  EXPECT_EQ(far->state, s_chase);
  far->state = s_dead;
  l.fire_once(0);
  EXPECT_EQ(far->health, -5);
}

TEST(PlayerShots, EnergyBallsLeaveOneUnitAheadOfThePointOneSeventyFiveAboveTheFeet) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(hall, l));
  player& p = l.p;
  p.yaw = 90.0, p.pitch = 20.0;  // west, a little up
  l.fire_once(2);
  const entity* shot = l.first(ent_player_shot_a);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->id, -100);
  const double v[3] = {-35.0, 20.0 * 35.0 / 40.0, 0.0}, speed = std::hypot(v[0], v[1]);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(shot->vel[i], v[i], 1e-9);
    EXPECT_NEAR(shot->pos[i], p.pos[i] + (i == 1) * 1.75 + v[i] / speed, 1e-9);
  }
  p.yaw = 0.0, p.pitch = 300.0;  // looking down: the climb is -60 x 35 / 40
  l.fire_once(3);
  int n = 0;
  for (entity* e = l.map.head; e; e = e->next) {
    if (e->type != ent_player_shot_b) continue;
    EXPECT_NEAR(std::atan2(-e->vel[0], -e->vel[2]) * 180 / pi, -10.0 + 4.0 * n++, 1e-9);
    EXPECT_NEAR(e->vel[1], -52.5, 1e-12);
  }
  EXPECT_EQ(n, 5);

  // The five balls into the mob2 2 units ahead all strike in one tick: the
  // first asks for its cry, and the four that find it in pain leave it be.
  for (entity* e = l.map.head; e; e = e->next)
    if (e->type == ent_player_shot_a || e->type == ent_player_shot_b) e->type = ent_marked_for_removal;
  entities_prune(l.map.head);
  p.pitch = 0.0;
  l.fire_once(3);
  l.run();
  entity* near = l.first(ent_mob2);
  EXPECT_EQ(near->health, 600 - 5 * 70);
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(near->sound_event, 1);
}

TEST(PlayerShots, TheStrikeReachesUnderThreeUnitsAcrossTheFloorAtAnyHeight) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(hall, l));
  player& p = l.p;
  entity* in_reach = l.first(ent_mob2);
  entity* corpse_above = l.first(ent_mob4);
  const double where[2][3] = {{2.99, 0.0, 0.0}, {0.0, 6.0, -2.9}};
  entity* moved[2] = {in_reach, corpse_above};
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 3; ++i) moved[k]->pos[i] = p.pos[i] + where[k][i];
  corpse_above->state = s_dead, corpse_above->health = -10;
  entity* at_three = entity_append(ent_mob3, l.map.head);
  at_three->health = 200;
  for (int i = 0; i < 3; ++i) at_three->pos[i] = p.pos[i];
  at_three->pos[0] -= 3.0;
  l.fire_once(4);
  EXPECT_EQ(p.shot_sound_request, 0) << "the strike is silent";
  EXPECT_EQ(p.reloading, 1) << "and followed by its recovery";
  EXPECT_EQ(in_reach->health, 600 - 70);
  EXPECT_EQ(in_reach->state, s_pain);
  EXPECT_EQ(in_reach->sound_event, 1);
  EXPECT_EQ(corpse_above->health, -80);
  EXPECT_EQ(corpse_above->state, s_dead) << "a corpse does not flinch";
  EXPECT_EQ(at_three->health, 200);
}

}  // namespace
