// Where the player's shots go and what they do: instant shots, pellets, projectiles, the strike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "entities/entity.h"
#include "entities/entity_codes.h"
#include "entities/player_weapons_projectile.h"
#include "entities/player_weapons_step.h"
#include "tests/weapons/weapons_level.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A long hall: the player at the south end looking north up the column of
// the enemies; a wall across the east half hides the mob3 behind it.
const char* hall =
    "###########\n"
    "#....4....#\n"  // 20 units north of the player
    "#.........#\n"
    "#.........#\n"
    "#.........#\n"
    "#.........#\n"
    "#.........#\n"
    "#......3..#\n"
    "#.....####\n"
    "#.........#\n"
    "#....2....#\n"  // 2 units north of the player
    "#....P....#\n"
    "###########\n";

class PlayerShots : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(load_weapons_level(hall, level));
    for (int i = 0; i < 3; ++i) eye[i] = level.p.pos[i];
    eye[1] += 2.25;
  }
  void TearDown() override { free_weapons_level(level); }

  // Pulls the trigger of `gun` for one shot through the weapon step.
  void fire(int gun) {
    player& p = level.p;
    p.current_gun = gun;
    gun_in_hand().trigger = 1;
    gun_in_hand().fire_timer = 0.0;
    if (gun < 4 && gun_in_hand().loaded < 2) gun_in_hand().loaded = 2;
    p.reloading = 0;
    weapon_step(p, level.map.head, level.map.root);
  }
  gun& gun_in_hand() { return level.p.guns[level.p.current_gun]; }

  // Yaw offset, in degrees to the left of the view, of the point a shot
  // along heading `yaw` crossed.
  double offset_of(const double point[3], double yaw) const {
    const double heading = std::atan2(-(point[0] - eye[0]), -(point[2] - eye[2])) * 180.0 / pi;
    double d = heading - yaw;
    while (d > 180.0) d -= 360.0;
    while (d < -180.0) d += 360.0;
    return d;
  }

  weapons_level level;
  double eye[3];
};

TEST_F(PlayerShots, TheShotgunFansFifteenPelletsFourDegreesApartAroundTheView) {
  player& p = level.p;
  entity* near = first_of_type(level, ent_mob2);
  entity* far = first_of_type(level, ent_mob4);
  near->pos[1] = -50.0;  // out of sight under the floor: only the far enemy is tested
  const int health = far->health;

  // Looking up does not bend the fan: the horizontal offsets shrink together.
  for (double pitch : {0.0, 30.0, 330.0}) {
    SCOPED_TRACE(testing::Message() << "pitch " << pitch);
    p.pitch = pitch;
    for (hit_marker& m : p.hit_markers) m = hit_marker{};
    const int before = far->health;
    fire(1);
    EXPECT_EQ(gun_in_hand().loaded, 0) << "two shells a shot";
    EXPECT_EQ(p.reloading, 1) << "the shotgun reloads after every shot";

    // Every pellet crossed the far enemy's front plane and left its marker
    // there: fifteen directions, 4 degrees apart, from 28 right to 28 left.
    std::vector<double> offsets;
    for (const hit_marker& m : p.hit_markers) offsets.push_back(offset_of(m.pos, p.yaw));
    for (int i = 0; i < 15; ++i) EXPECT_NEAR(offsets[i], -28.0 + 4.0 * i, 1e-6) << "pellet " << i;

    // 20 units away the body (2.5 each side) takes the pellets within 7.1
    // degrees of the centre: -4, 0 and +4, each for the gun's 45.
    EXPECT_EQ(before - far->health, 3 * 45);
    int active = 0;
    for (const hit_marker& m : p.hit_markers) active += m.active;
    EXPECT_EQ(active, 3);
    EXPECT_TRUE(p.hit_markers[6].active && p.hit_markers[7].active && p.hit_markers[8].active);
  }
  EXPECT_EQ(far->health, health - 9 * 45);
}

TEST_F(PlayerShots, APelletHitsEveryEnemyOnItsLineAndCloseUpTheWholeFanStrikes) {
  entity* near = first_of_type(level, ent_mob2);
  entity* far = first_of_type(level, ent_mob4);
  // 2 units away the mob2's box (1.75 each side) spans 41 degrees each way:
  // all fifteen pellets strike it, and the middle three go on to the far one.
  fire(1);
  EXPECT_EQ(600 - near->health, 15 * 45);
  // The first pellets pain it, the fourteenth kills it; its own update
  // counts the death.
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(1000 - far->health, 3 * 45);
  EXPECT_EQ(far->state, s_pain);
  // The second and third pellets find it in pain already: they add no cry
  // of their own, and do not silence the one the first pellet asked for.
  EXPECT_EQ(far->sound_event, 1);
  EXPECT_EQ(near->sound_event, 1);
}

TEST_F(PlayerShots, AnInstantShotWoundsPainsAndMarksTheEnemyInFront) {
  player& p = level.p;
  entity* near = first_of_type(level, ent_mob2);
  fire(0);
  EXPECT_EQ(p.shot_sound_request, 2);
  EXPECT_EQ(near->health, 600 - 25);
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(near->frame, 6);
  EXPECT_EQ(near->sound_event, 1);
  // The marker sits where the shot crossed the front plane, at eye height.
  ASSERT_TRUE(p.hit_markers[0].active);
  EXPECT_EQ(p.hit_markers[0].age, 0.0);
  EXPECT_NEAR(p.hit_markers[0].pos[0], near->pos[0], 1e-9);
  EXPECT_NEAR(p.hit_markers[0].pos[1], eye[1], 1e-9);
  EXPECT_NEAR(p.hit_markers[0].pos[2], near->pos[2], 1e-9);
  EXPECT_FALSE(p.hit_markers[1].active);
  // The far mob4 is on the same line and is hit too.
  EXPECT_EQ(first_of_type(level, ent_mob4)->health, 1000 - 25);

  // Next tick (the sound pass has played the cry), already in pain: no new
  // cry; an active marker keeps its age.
  near->sound_event = 0;
  p.hit_markers[0].age = 0.2;
  fire(0);
  EXPECT_EQ(near->sound_event, 0);
  EXPECT_EQ(near->state, s_pain);
  EXPECT_EQ(p.hit_markers[0].age, 0.2);
}

TEST_F(PlayerShots, PainDependsOnTheShotAndTheEnemysState) {
  player& p = level.p;
  entity* near = first_of_type(level, ent_mob2);
  entity* far = first_of_type(level, ent_mob4);
  near->pos[1] = -50.0;

  // A mob4 that is aiming or firing and is struck on its front rectangle
  // keeps at it, though it cries out and loses the health.
  far->state = s_aim;
  far->frame = 9;
  fire(0);
  EXPECT_EQ(far->health, 1000 - 25);
  EXPECT_EQ(far->state, s_aim);
  EXPECT_EQ(far->frame, 9);
  EXPECT_EQ(far->sound_event, 1);

  // Struck on its side rectangle (a shot along x, which never meets the
  // front plane) it flinches all the same.
  far->state = s_fire;
  p.pos[0] = far->pos[0] - 8.0;
  p.pos[2] = far->pos[2] + 0.5;
  p.yaw = 270.0;  // looking along +x
  fire(0);
  EXPECT_EQ(far->health, 1000 - 50);
  EXPECT_EQ(far->state, s_pain);

  // A shot that kills does not pain; a corpse is passed over.
  far->health = 20;
  far->state = s_chase;
  fire(0);
  EXPECT_EQ(far->health, -5);
  EXPECT_EQ(far->state, s_chase);
  far->state = s_dead;
  fire(0);
  EXPECT_EQ(far->health, -5);
}

TEST_F(PlayerShots, AShotMissingBesideAnEnemyStillMovesTheMarkerToItsPlane) {
  player& p = level.p;
  entity* near = first_of_type(level, ent_mob2);
  entity* far = first_of_type(level, ent_mob4);
  near->pos[0] += 1.9;  // just past its half-width of 1.75
  far->pos[1] = -50.0;  // out of sight
  fire(0);
  EXPECT_EQ(near->health, 600);
  EXPECT_FALSE(p.hit_markers[0].active);
  EXPECT_NEAR(p.hit_markers[0].pos[2], near->pos[2], 1e-9);

  // The far enemy is struck first (it comes first in the list) and lights
  // the marker; the miss beside the near one then carries it to its plane.
  far->pos[1] = near->pos[1];
  fire(0);
  EXPECT_EQ(far->health, 1000 - 25);
  EXPECT_TRUE(p.hit_markers[0].active);
  EXPECT_NEAR(p.hit_markers[0].pos[2], near->pos[2], 1e-9);
}

TEST_F(PlayerShots, AnEnemyBehindAWallIsNotHit) {
  player& p = level.p;
  entity* hidden = first_of_type(level, ent_mob3);
  // Look straight at it: the wall between stops the shot.
  const double dx = hidden->pos[0] - p.pos[0], dz = hidden->pos[2] - p.pos[2];
  p.yaw = std::atan2(-dx, -dz) * 180.0 / pi;
  fire(0);
  EXPECT_EQ(hidden->health, 200);
  EXPECT_EQ(hidden->state, s_idle);

  // From its own side of the wall it is.
  p.pos[2] = hidden->pos[2] - 4.0;
  p.pos[0] = hidden->pos[0];
  p.yaw = 180.0;
  fire(0);
  EXPECT_EQ(hidden->health, 200 - 25);
}

TEST_F(PlayerShots, ProjectilesLeaveOneUnitAheadOfTheGunAtThirtyFiveUnitsASecond) {
  player& p = level.p;
  entity* head = level.map.head;
  p.guns[2].loaded = 3;
  p.yaw = 90.0;  // west, along -x
  p.pitch = 20.0;
  fire(2);
  EXPECT_EQ(p.shot_sound_request, 2);
  EXPECT_EQ(p.guns[2].loaded, 2);
  entity* shot = first_of_type(level, ent_player_shot_a);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->next, nullptr) << "appended at the tail";
  EXPECT_EQ(shot->id, -100);
  EXPECT_NEAR(shot->vel[0], -35.0, 1e-9);
  EXPECT_NEAR(shot->vel[1], 20.0 * 35.0 / 40.0, 1e-12);
  EXPECT_NEAR(shot->vel[2], 0.0, 1e-9);
  const double speed = std::sqrt(35.0 * 35.0 + 17.5 * 17.5);
  EXPECT_NEAR(shot->pos[0], p.pos[0] - 35.0 / speed, 1e-9);
  EXPECT_NEAR(shot->pos[1], p.pos[1] + 1.75 + 17.5 / speed, 1e-9);
  EXPECT_NEAR(shot->pos[2], p.pos[2], 1e-9);

  // Looking down, the pitch counts as negative degrees.
  p.pitch = 300.0;
  entity* down = player_projectile(ent_player_shot_a, head, p.pos, p.pitch, p.yaw);
  EXPECT_NEAR(down->vel[1], -60.0 * 35.0 / 40.0, 1e-12);

  // Gun 3: a fan of five, 4 degrees apart, from 10 right to 6 left of the view.
  p.yaw = 0.0;
  p.pitch = 0.0;
  fire(3);
  std::vector<double> headings;
  for (entity* e = head; e; e = e->next)
    if (e->type == ent_player_shot_b) headings.push_back(std::atan2(-e->vel[0], -e->vel[2]) * 180.0 / pi);
  ASSERT_EQ(headings.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(headings[i], -10.0 + 4.0 * i, 1e-9);
  EXPECT_EQ(p.guns[3].loaded, 1) << "one cell for the whole fan";

  // Without a list nothing is spawned.
  EXPECT_EQ(player_projectile(ent_player_shot_a, nullptr, p.pos, 0.0, 0.0), nullptr);
}

TEST_F(PlayerShots, TheStrikeReachesThreeUnitsAcrossTheFloorThroughWallsAndAtAnyHeight) {
  player& p = level.p;
  // Put the hall's three enemies around the player by hand.
  entity* e[3];
  int n = 0;
  for (entity* it = level.map.head->next; it && n < 3; it = it->next)
    if (it->type >= 200 && it->type <= 299) e[n++] = it;
  ASSERT_EQ(n, 3);
  for (int i = 0; i < 3; ++i) e[i]->health = 500;
  e[1]->health = -10;
  e[0]->pos[0] = p.pos[0] + 2.99, e[0]->pos[1] = p.pos[1], e[0]->pos[2] = p.pos[2];       // just in reach
  e[1]->pos[0] = p.pos[0], e[1]->pos[1] = p.pos[1] + 6.0, e[1]->pos[2] = p.pos[2] - 2.9;  // high above
  e[2]->pos[0] = p.pos[0] - 3.0, e[2]->pos[1] = p.pos[1], e[2]->pos[2] = p.pos[2];        // exactly 3.0 away
  e[1]->state = s_dead;

  fire(4);
  EXPECT_EQ(p.shot_sound_request, 0) << "the strike is silent";
  EXPECT_EQ(p.reloading, 1) << "followed by its recovery";
  EXPECT_EQ(p.guns[4].loaded, 1);

  EXPECT_EQ(e[0]->health, 430);
  EXPECT_EQ(e[0]->state, s_pain);
  EXPECT_EQ(e[0]->sound_event, 1);
  EXPECT_EQ(e[1]->health, -80) << "height and death do not matter";
  EXPECT_EQ(e[1]->state, s_dead) << "a corpse does not flinch";
  EXPECT_EQ(e[2]->health, 500) << "3.0 is out of reach";
  for (const hit_marker& m : p.hit_markers) EXPECT_FALSE(m.active);

  // A strike that kills leaves the state to the enemy's own update.
  e[0]->health = 50;
  e[0]->state = s_chase;
  p.reloading = 0;
  fire(4);
  EXPECT_EQ(e[0]->health, -20);
  EXPECT_EQ(e[0]->state, s_chase);
}

}  // namespace
