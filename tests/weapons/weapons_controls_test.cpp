// Trigger, fire clock, ammunition, reload and gun choice, driven through the player's tick.
#include <gtest/gtest.h>

#include <vector>

#include "entities/entity.h"
#include "entities/entity_codes.h"
#include "player/player_update.h"
#include "tests/weapons/weapons_level.h"

namespace {

// A closed room; the worker stands just behind the player, inside the close
// strike's reach and out of the line of every other gun.
const char* room =
    "#########\n"
    "#.......#\n"
    "#.......#\n"
    "#.......#\n"
    "#...P...#\n"
    "#...w...#\n"
    "#########\n";

const int fire_slot = key_slot_control;  // in_fire is bound to the control key

class WeaponControls : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(load_weapons_level(room, level)); }
  void TearDown() override { free_weapons_level(level); }

  // One tick of the player with the keys as they are now.
  void tick() {
    level.p.shot_sound_request = 0;  // the sound pass clears it after every frame
    player_update(level.p, input.poll(), level.map.root, level.map.head, level.tick, mouse);
  }

  // Holds the fire key for `ticks` ticks and lists the ticks on which the
  // gun in hand let a shot go.
  std::vector<int> hold_fire(int ticks) {
    std::vector<int> shots;
    entity* worker = first_of_type(level, ent_worker);
    input.down[fire_slot] = true;
    for (int t = 0; t < ticks; ++t) {
      const int before = worker->health;
      tick();
      const bool struck = worker->health < before;
      if (level.p.shot_sound_request == 2 || struck) shots.push_back(t);
    }
    input.down[fire_slot] = false;
    tick();
    return shots;
  }

  // Presses and lets go of a key on two ticks.
  void tap(char c) {
    input.down[char_slot(c)] = true;
    tick();
    input.down[char_slot(c)] = false;
    tick();
  }

  weapons_level level;
  held_keys input;
  mouse_state mouse{};
};

// Shot ticks that start at 0 and repeat every `period` ticks, `count` of them.
std::vector<int> every(int period, int count) {
  std::vector<int> ticks;
  for (int i = 0; i < count; ++i) ticks.push_back(i * period);
  return ticks;
}

// The first shot leaves on the tick of the press; after that the clock is
// set back to 0 on the tick it first exceeds the interval, which is the
// tick the next shot leaves. The shotgun and the strike wait for their own
// reload instead (1.2 s and 0.25 s) and fire on the tick after it.
TEST_F(WeaponControls, EachGunFiresAtItsIntervalAndSpendsItsAmmunition) {
  player& p = level.p;
  p.guns[1].loaded = 2, p.guns[1].reserve = 4;
  p.guns[2].loaded = 40;
  p.guns[3].loaded = 10;

  p.current_gun = 0;
  EXPECT_EQ(hold_fire(13 * 59 + 40), every(13, 60));  // 0.2 s -> every 13 ticks, 60 rounds
  EXPECT_EQ(p.guns[0].loaded, 0);
  EXPECT_EQ(p.guns[0].reserve, 200) << "an empty magazine is not refilled by itself";

  p.current_gun = 1;
  EXPECT_EQ(hold_fire(400), every(73, 3));  // shot, 72 ticks of reload, next tick
  EXPECT_EQ(p.guns[1].loaded, 0);
  EXPECT_EQ(p.guns[1].reserve, 0);

  p.current_gun = 2;
  EXPECT_EQ(hold_fire(13 * 39 + 30), every(13, 40));
  EXPECT_EQ(count_of_type(level, ent_player_shot_a), 40);

  p.current_gun = 3;
  EXPECT_EQ(hold_fire(36 * 9 + 50), every(36, 10));  // 0.6 s first exceeded on tick 36
  EXPECT_EQ(count_of_type(level, ent_player_shot_b), 50);
  EXPECT_EQ(p.guns[3].loaded, 0);

  p.current_gun = 4;
  EXPECT_EQ(hold_fire(17 * 5 + 10), every(17, 6));  // strike, 16 ticks of recovery, next tick
  EXPECT_EQ(p.guns[4].loaded, 1) << "the strike never runs out";
}

TEST_F(WeaponControls, AtThirtyTicksASecondTheIntervalsRoundToOtherTickCounts) {
  player& p = level.p;
  level.tick = 1.0 / 30.0;
  p.guns[1].loaded = 2, p.guns[1].reserve = 2;
  p.guns[3].loaded = 3;

  p.current_gun = 0;
  EXPECT_EQ(hold_fire(7 * 4 + 3), every(7, 5));
  EXPECT_EQ(p.guns[0].loaded, 55);
  p.current_gun = 1;
  EXPECT_EQ(hold_fire(100), every(37, 2));
  p.current_gun = 3;
  EXPECT_EQ(hold_fire(100), every(19, 3));
  p.current_gun = 4;
  EXPECT_EQ(hold_fire(9 * 3 + 1), every(9, 4));
}

TEST_F(WeaponControls, TheMouseButtonFiresTooAndLettingGoStopsTheGun) {
  player& p = level.p;
  mouse.left = 1;
  for (int t = 0; t < 14; ++t) tick();
  EXPECT_EQ(p.guns[0].loaded, 58);  // ticks 0 and 13
  mouse.left = 0;
  for (int t = 0; t < 60; ++t) tick();
  EXPECT_EQ(p.guns[0].loaded, 58);
  EXPECT_EQ(p.guns[0].trigger, 0);
  // A fresh press fires at once, whatever the clock had reached.
  mouse.left = 1;
  tick();
  EXPECT_EQ(p.guns[0].loaded, 57);
}

TEST_F(WeaponControls, ReloadMovesRoundsFromTheReserveAfterTheReloadTime) {
  player& p = level.p;
  struct reload_case {
    int gun, loaded, reserve, loaded_after, reserve_after;
  };
  const reload_case cases[] = {
      {0, 35, 200, 60, 175},  // part of a magazine: the rest goes back to the reserve
      {0, 0, 200, 60, 140},   // an empty magazine
      {0, 50, 30, 60, 20},    // the reserve is small but more than fills the gun
      {0, 10, 60, 60, 10},    // a reserve of exactly one magazine
      {0, 0, 30, 30, 0},      // everything left fits in the gun
      {0, 7, 0, 7, 0},        // an empty reserve changes nothing
      {0, 60, 100, 60, 100},  // a full gun: nothing moves, the time is spent all the same
      {2, 0, 150, 40, 110},  {3, 4, 3, 7, 0},
  };
  for (const reload_case& c : cases) {
    SCOPED_TRACE(testing::Message() << "gun " << c.gun << ", " << c.loaded << " loaded, " << c.reserve
                                    << " in reserve");
    p.current_gun = c.gun;
    p.guns[c.gun].loaded = c.loaded;
    p.guns[c.gun].reserve = c.reserve;
    input.down[char_slot('r')] = true;
    tick();
    input.down[char_slot('r')] = false;
    EXPECT_EQ(p.reloading, 1);
    int ticks = 1;
    while (p.reloading && ticks < 1000) {
      tick();
      ++ticks;
    }
    EXPECT_EQ(ticks, 121);  // 2.0 s is first exceeded on the 121st tick of 1/60 s
    EXPECT_EQ(p.guns[c.gun].loaded, c.loaded_after);
    EXPECT_EQ(p.guns[c.gun].reserve, c.reserve_after);
    EXPECT_EQ(p.reload_time, 0.0);
  }
}

TEST_F(WeaponControls, WhileReloadingNothingFiresAndNoGunIsChosen) {
  player& p = level.p;
  p.guns[0].loaded = 10;
  p.guns[2].loaded = 5;
  input.down[char_slot('r')] = true;
  tick();
  input.down[char_slot('r')] = false;

  // The trigger reads 0 and the gun keys are not heard until the reload ends.
  input.down[fire_slot] = true;
  tap('3');
  for (int t = 0; t < 100; ++t) tick();
  EXPECT_EQ(p.current_gun, 0);
  EXPECT_EQ(p.guns[0].loaded, 10);
  EXPECT_EQ(p.guns[0].trigger, 0);
  EXPECT_GT(p.guns[0].fire_timer, 1.0) << "the fire clock runs the reload animation";

  // The reload ends on its 121st tick; the held trigger counts as a fresh
  // press on the next one and the gun fires.
  while (p.reloading) tick();
  EXPECT_EQ(p.guns[0].loaded, 60);
  tick();
  EXPECT_EQ(p.guns[0].loaded, 59);
  input.down[fire_slot] = false;
  tick();
}

TEST_F(WeaponControls, TheShotgunAndTheStrikeIgnoreTheReloadKey) {
  player& p = level.p;
  p.guns[1].loaded = 0, p.guns[1].reserve = 10;
  p.current_gun = 1;
  tap('r');
  EXPECT_EQ(p.reloading, 0);
  EXPECT_EQ(p.guns[1].loaded, 0);
  p.current_gun = 4;
  tap('r');
  EXPECT_EQ(p.reloading, 0);
}

TEST_F(WeaponControls, GunKeysChooseOnlyGunsWithAmmunition) {
  player& p = level.p;
  tap('2');  // the shotgun is empty
  EXPECT_EQ(p.current_gun, 0);
  tap('3');
  tap('4');
  EXPECT_EQ(p.current_gun, 0);
  tap('5');  // the strike needs nothing
  EXPECT_EQ(p.current_gun, 4);
  p.guns[3].reserve = 1;  // a reserve alone is enough
  tap('4');
  EXPECT_EQ(p.current_gun, 3);
  tap('1');
  EXPECT_EQ(p.current_gun, 0);

  // Only the tick a key goes down counts: holding it does not choose again.
  input.down[char_slot('5')] = true;
  tick();
  EXPECT_EQ(p.current_gun, 4);
  input.down[char_slot('1')] = true;
  tick();
  EXPECT_EQ(p.current_gun, 0);  // pressed this tick, and key 5 only held
  tick();
  input.down[char_slot('1')] = false;
  input.down[char_slot('5')] = false;
  tick();
  EXPECT_EQ(p.current_gun, 0);
}

TEST_F(WeaponControls, NextAndPreviousSkipEmptyGunsAndStopAtTheEnds) {
  player& p = level.p;
  p.guns[2].loaded = 5;  // guns 0, 2 and the strike hold something

  tap('q');
  EXPECT_EQ(p.current_gun, 2) << "the empty shotgun is passed over";
  tap('q');
  EXPECT_EQ(p.current_gun, 4) << "gun 3 is empty, the strike is always there";
  tap('q');
  EXPECT_EQ(p.current_gun, 4) << "no wrap-around past the last gun";
  tap('e');
  EXPECT_EQ(p.current_gun, 2);
  tap('e');
  EXPECT_EQ(p.current_gun, 0);
  tap('e');
  EXPECT_EQ(p.current_gun, 0) << "no wrap-around past the first gun";

  p.guns[3].loaded = 1;
  tap('q');
  tap('q');
  EXPECT_EQ(p.current_gun, 3);
  tap('q');
  EXPECT_EQ(p.current_gun, 4) << "from gun 3 the next gun is the strike";

  // Stepping down from a gun whose lower neighbours are all empty keeps it.
  p.guns[0].loaded = 0, p.guns[0].reserve = 0;
  p.guns[2].loaded = 0;
  tap('e');
  EXPECT_EQ(p.current_gun, 3);
  tap('e');
  EXPECT_EQ(p.current_gun, 3);

  // Both keys on one tick: next gun wins, except at the last gun, where
  // previous gun is heard instead.
  input.down[char_slot('q')] = input.down[char_slot('e')] = true;
  tick();
  EXPECT_EQ(p.current_gun, 4);
  input.down[char_slot('q')] = input.down[char_slot('e')] = false;
  tick();
  input.down[char_slot('q')] = input.down[char_slot('e')] = true;
  tick();
  EXPECT_EQ(p.current_gun, 3);
}

// The trigger and the fire clock only move while the player lives, but the
// weapon step does not look at health: a gun whose trigger was down with its
// clock at 0 when the player died fires on every tick until it is empty.
TEST_F(WeaponControls, ADeadPlayersFrozenTriggerEmptiesTheGun) {
  player& p = level.p;
  p.guns[0].loaded = 20;
  input.down[fire_slot] = true;
  tick();  // shot on the press
  EXPECT_EQ(p.guns[0].loaded, 19);
  p.health = 0;
  input.down[fire_slot] = false;
  int shots = 0;
  for (int t = 0; t < 40; ++t) {
    tick();
    if (p.shot_sound_request == 2) ++shots;
  }
  EXPECT_EQ(shots, 19);
  EXPECT_EQ(p.guns[0].loaded, 0);
  EXPECT_EQ(p.guns[0].trigger, 1);
}

}  // namespace
