// Trigger, fire clock, ammunition, reload and gun choice through the player's tick.
#include <gtest/gtest.h>

#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "tests/scenario/weapons/weapons_level.h"

namespace {

// A closed room; the worker stands just behind the player, inside the
// strike's reach and out of every other gun's line.
const char* room = "#######\n#.....#\n#.....#\n#..P..#\n#..w..#\n#######\n";
const int fire = key_slot_control;  // in_fire's default key

// The room with its worker lying dead where it stands, so that it neither
// runs off nor fills the log, and only the strike moves its health.
testing::AssertionResult load_room(weapons_level& l) {
  testing::AssertionResult loaded = load_weapons_level(room, l);
  if (loaded) l.first(ent_worker)->state = s_dead;
  return loaded;
}

// Holds fire for `ticks` ticks; the ticks on which a shot or a strike left.
std::vector<int> hold_fire(weapons_level& l, int ticks) {
  std::vector<int> shots;
  entity* worker = l.first(ent_worker);
  l.down[fire] = true;
  for (int t = 0; t < ticks; ++t) {
    worker->health = -1000;
    l.run();
    if (l.p.shot_sound_request == 2 || worker->health < -1000) shots.push_back(t);
  }
  l.down[fire] = false;
  l.run();
  return shots;
}

std::vector<int> every(int period, int count) {
  std::vector<int> ticks;
  for (int i = 0; i < count; ++i) ticks.push_back(i * period);
  return ticks;
}

// A shot leaves on the tick of the press, then on each tick where the clock
// first exceeds the interval (it is set back to 0 there). The shotgun and the
// strike wait for their own reload (1.2 s, 0.25 s) and fire on the next tick.
TEST(WeaponControls, EachGunFiresAtItsIntervalUntilItsAmmunitionIsSpent) {
  struct row {
    int fps, gun, loaded, reserve, ticks, period, shots;
  } rows[] = {
      {60, 0, 60, 200, 800, 13, 60}, {60, 1, 2, 4, 400, 73, 3}, {60, 2, 40, 0, 560, 13, 40},
      {60, 3, 10, 0, 400, 36, 10},   {60, 4, 1, 0, 100, 17, 6}, {30, 0, 5, 0, 60, 7, 5},
      {30, 1, 2, 2, 100, 37, 2},     {30, 3, 3, 0, 100, 19, 3}, {30, 4, 1, 0, 30, 9, 4},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.fps << " ticks/s, gun " << r.gun);
    weapons_level l;
    ASSERT_TRUE(load_room(l));
    l.tick = 1.0 / r.fps;
    l.p.current_gun = r.gun;
    l.p.guns[r.gun].loaded = r.loaded, l.p.guns[r.gun].reserve = r.reserve;
    EXPECT_EQ(hold_fire(l, r.ticks), every(r.period, r.shots));
    EXPECT_EQ(l.p.guns[r.gun].loaded, r.gun == 4 ? 1 : 0) << "the strike never runs out";
    if (r.gun != 1) {
      EXPECT_EQ(l.p.guns[r.gun].reserve, r.reserve) << "only the shotgun reloads by itself";
    }
  }
}

TEST(WeaponControls, ReloadFillsTheGunFromTheReserveAfterItsTime) {
  struct row {
    int gun, loaded, reserve, loaded_after, reserve_after;
  } rows[] = {
      {0, 35, 200, 60, 175}, {0, 0, 200, 60, 140}, {0, 50, 30, 60, 20},
      {0, 10, 60, 60, 10},   {0, 0, 30, 30, 0},    {0, 7, 0, 7, 0},
      {0, 60, 9, 60, 9},     {2, 0, 150, 40, 110}, {3, 4, 3, 7, 0},
  };
  weapons_level l;
  ASSERT_TRUE(load_room(l));
  for (const row& r : rows) {
    SCOPED_TRACE(testing::Message() << "gun " << r.gun << ": " << r.loaded << " + " << r.reserve);
    l.p.current_gun = r.gun;
    l.p.guns[r.gun].loaded = r.loaded, l.p.guns[r.gun].reserve = r.reserve;
    l.down[char_slot('r')] = l.down[fire] = true;  // the trigger stays off while reloading
    int ticks = 0;
    do {
      l.run();
      l.down[char_slot('r')] = false;
      ++ticks;
    } while (l.p.reloading && ticks < 500);
    EXPECT_EQ(ticks, 121) << "2.0 s first exceeded on the 121st tick, a full gun too";
    EXPECT_EQ(l.p.guns[r.gun].loaded, r.loaded_after);
    EXPECT_EQ(l.p.guns[r.gun].reserve, r.reserve_after);
    l.run();  // the held trigger is a fresh press once the reload is over
    EXPECT_EQ(l.p.guns[r.gun].loaded, r.loaded_after - 1);
    l.down[fire] = false;
    l.run();
  }
  for (int gun : {1, 4}) {  // they reload by themselves only
    l.p.current_gun = gun;
    l.down[char_slot('r')] = true;
    l.run(2);
    EXPECT_EQ(l.p.reloading, 0);
  }
}

TEST(WeaponControls, GunKeysAndNextPreviousSkipEmptyGunsAndStopAtBothEnds) {
  weapons_level l;
  ASSERT_TRUE(load_room(l));
  l.p.guns[2].loaded = 5;  // guns 0 and 2 and the strike hold something
  auto press = [&](char c) {
    l.down[char_slot(c)] = true;
    l.run();
    l.down[char_slot(c)] = false;
    l.run();
    return l.p.current_gun;
  };
  const struct {
    char key;
    int gun;
  } steps[] = {{'2', 0}, {'4', 0}, {'3', 2}, {'5', 4}, {'1', 0}, {'q', 2},
               {'q', 4}, {'q', 4}, {'e', 2}, {'e', 0}, {'e', 0}, {'4', 0}};
  for (const auto& s : steps) EXPECT_EQ(press(s.key), s.gun) << "key " << s.key;
  l.p.guns[3].reserve = 1;  // a reserve alone makes a gun choosable
  EXPECT_EQ(press('4'), 3);
  EXPECT_EQ(press('q'), 3) << "with gun 3 in hand the next-gun key is not heard";
  l.p.guns[0].loaded = l.p.guns[0].reserve = l.p.guns[2].loaded = 0;
  EXPECT_EQ(press('e'), 3);
  EXPECT_EQ(press('e'), 3) << "nothing with ammunition below";

  // No choice while reloading; a held key does not choose again.
  l.down[char_slot('r')] = true;
  l.run();
  EXPECT_EQ(press('5'), 3);
  l.down[char_slot('r')] = false;
  l.run(130);
  l.down[char_slot('5')] = true;
  l.run(3);
  l.p.current_gun = 3;
  l.run(3);
  EXPECT_EQ(l.p.current_gun, 3);
}

// The trigger and its clock only move while the player lives, but the weapon
// step does not look at health: a gun whose trigger was down with its clock at
// 0 when the player died fires on every tick until it is empty.
TEST(WeaponControls, ADeadPlayersFrozenTriggerEmptiesTheGun) {
  weapons_level l;
  ASSERT_TRUE(load_room(l));
  l.p.guns[0].loaded = 20;
  l.down[fire] = true;
  l.run();
  l.p.health = 0;
  l.down[fire] = false;
  for (int t = 0; t < 19; ++t) {
    l.run();
    EXPECT_EQ(l.p.shot_sound_request, 2) << "tick " << t;
  }
  EXPECT_EQ(l.p.guns[0].loaded, 0);
}

}  // namespace
