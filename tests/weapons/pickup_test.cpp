// Items on the floor: reach, effects, messages, and the item leaving the list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "entities/entity.h"
#include "entities/entity_codes.h"
#include "entities/entity_list.h"
#include "entities/pickup_update.h"
#include "player/player_update.h"
#include "tests/support/capture_stdout.h"
#include "tests/weapons/weapons_level.h"

namespace {

// The six kinds in a row along a hall, 4 units apart; the player well away.
const char* shelf =
    "###############\n"
    "#.............#\n"
    "#.m.s.e.c.h.M.#\n"
    "#.............#\n"
    "#.............#\n"
    "#.............#\n"
    "#......P......#\n"
    "###############\n";

class Pickups : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(load_weapons_level(shelf, level)); }
  void TearDown() override { free_weapons_level(level); }

  // Stands the player on `item` (offset by dx, dy, dz) and runs its update;
  // returns what it printed.
  std::string touch(entity* item, double dx = 0, double dy = 0, double dz = 0) {
    level.p.pos[0] = item->pos[0] + dx;
    level.p.pos[1] = item->pos[1] + dy;
    level.p.pos[2] = item->pos[2] + dz;
    capture_stdout_begin();
    pickup_update(item, level.p);
    return capture_stdout_end();
  }

  weapons_level level;
};

TEST_F(Pickups, EachKindAppliesItsEffectPostsItsMessageAndLeaves) {
  player& p = level.p;
  struct expected {
    int type;
    const char* message;
  };
  const expected kinds[] = {
      {ent_magazine, "Picked up a magazine."},
      {ent_shells, "Picked up some shells."},
      {ent_energy_cells, "Picked up some energy cells."},
      {ent_lbbus_cell, "Picked up a LBBUS cell."},
      {ent_morphine, "You found some morphine."},
      {ent_mouse, "You caught a mouse!"},
  };
  p.guns[0].loaded = 35, p.guns[0].reserve = 10;
  p.guns[1].loaded = 2, p.guns[1].reserve = 6;
  p.guns[3].loaded = 3;
  p.health = 80;
  p.score = 500;

  for (const expected& k : kinds) {
    SCOPED_TRACE(k.message);
    entity* item = first_of_type(level, k.type);
    ASSERT_NE(item, nullptr);
    entity* before = item->prev;
    entity* after = item->next;
    p.pickup_message_flag = 0;
    EXPECT_EQ(touch(item), "pickup?\n");
    EXPECT_EQ(p.pickup_message_flag, 1);
    EXPECT_STREQ(p.pickup_message, k.message);
    EXPECT_EQ(count_of_type(level, k.type), 0);
    EXPECT_EQ(before->next, after);  // unlinked, neighbours joined
    if (after) {
      EXPECT_EQ(after->prev, before);
    }
  }
  // The rounds in the gun go to the reserve and the gun comes up full.
  EXPECT_EQ(p.guns[0].loaded, 60);
  EXPECT_EQ(p.guns[0].reserve, 85);
  EXPECT_EQ(p.guns[1].loaded, 2);
  EXPECT_EQ(p.guns[1].reserve, 26);
  EXPECT_EQ(p.guns[2].loaded, 40);
  EXPECT_EQ(p.guns[2].reserve, 60);
  EXPECT_EQ(p.guns[3].loaded, 10);
  EXPECT_EQ(p.guns[3].reserve, 13);
  EXPECT_EQ(p.health, 130) << "morphine has no ceiling";
  EXPECT_EQ(p.score, 3500);
  EXPECT_EQ(p.mice, 1);
  EXPECT_EQ(p.pickup_message_time, 0.0) << "the message's age is not touched";
}

TEST_F(Pickups, AnItemIsTakenOnlyCloserThanTwoUnitsFromTheFeetHeightIncluded) {
  player& p = level.p;
  entity* magazine = first_of_type(level, ent_magazine);
  EXPECT_EQ(touch(magazine, 2.0, 0, 0), "");
  EXPECT_EQ(touch(magazine, 0, 2.0, 0), "") << "an item 2.0 under the feet stays";
  EXPECT_EQ(touch(magazine, 0, -2.5, 0), "");
  EXPECT_EQ(touch(magazine, 1.2, 1.2, 1.2), "") << "2.08 away across all three axes";
  EXPECT_EQ(first_of_type(level, ent_magazine), magazine);
  EXPECT_EQ(p.guns[0].reserve, 200);
  EXPECT_EQ(touch(magazine, 0, 1.99, 0), "pickup?\n");
  EXPECT_EQ(first_of_type(level, ent_magazine), nullptr);
}

TEST_F(Pickups, AnUnknownItemLeavesSilently) {
  player& p = level.p;
  entity* odd = entity_append(405, level.map.head);
  odd->pos[0] = 100.0;
  EXPECT_EQ(touch(odd), "pickup?\n");
  EXPECT_EQ(count_of_type(level, 405), 0);
  EXPECT_EQ(p.pickup_message_flag, 0);
  EXPECT_EQ(p.pickup_message[0], '\0');
}

// A dead player's body can still slide or fall onto an item; morphine
// would bring it back to life. A corpse takes nothing and the item stays.
TEST_F(Pickups, ADeadPlayerTakesNothing) {
  player& p = level.p;
  p.health = -20;
  entity* morphine = first_of_type(level, ent_morphine);
  EXPECT_EQ(touch(morphine), "");
  EXPECT_EQ(p.health, -20);
  EXPECT_EQ(first_of_type(level, ent_morphine), morphine);
  EXPECT_EQ(p.pickup_message_flag, 0);
}

// A second item while a message shows replaces the text but keeps its
// age, so the new text goes when the first one's four seconds run out.
TEST_F(Pickups, ASecondMessageTakesOverTheFirstOnesTime) {
  player& p = level.p;
  held_keys input;
  touch(first_of_type(level, ent_mouse));
  const double dt = 1.0 / 60.0;
  for (int t = 0; t < 180; ++t)
    player_update(p, input.poll(), level.map.root, level.map.head, dt, mouse_state{});
  EXPECT_EQ(p.pickup_message_flag, 1);
  touch(first_of_type(level, ent_shells));
  EXPECT_STREQ(p.pickup_message, "Picked up some shells.");
  int ticks = 180;
  while (p.pickup_message_flag && ticks < 1000) {
    player_update(p, input.poll(), level.map.root, level.map.head, dt, mouse_state{});
    ++ticks;
  }
  EXPECT_EQ(ticks, 241);  // 4.0 s first exceeded on the 241st tick of 1/60 s
  EXPECT_EQ(p.pickup_message_time, 0.0);
}

// Two items in reach on one tick are both taken, one after the other: two
// magazines add two magazines' worth and the later message is the one shown.
TEST_F(Pickups, TwoItemsTouchedOnOneTickAreBothTaken) {
  player& p = level.p;
  entity* magazine = first_of_type(level, ent_magazine);
  entity* second = entity_append(ent_magazine, level.map.head);
  for (int i = 0; i < 3; ++i) second->pos[i] = magazine->pos[i];
  second->pos[0] += 0.5;
  entity* mouse = entity_append(ent_mouse, level.map.head);
  for (int i = 0; i < 3; ++i) mouse->pos[i] = magazine->pos[i];
  for (int i = 0; i < 3; ++i) p.pos[i] = magazine->pos[i];

  // The entity walk goes from the tail back to the head.
  capture_stdout_begin();
  pickup_update(mouse, p);
  pickup_update(second, p);
  pickup_update(magazine, p);
  const std::string log = capture_stdout_end();
  EXPECT_EQ(count_occurrences(log, "pickup?\n"), 3);
  EXPECT_EQ(count_of_type(level, ent_magazine), 0);
  EXPECT_EQ(p.guns[0].loaded, 60);
  EXPECT_EQ(p.guns[0].reserve, 200 + 100 + 100);
  EXPECT_STREQ(p.pickup_message, "Picked up a magazine.");
  EXPECT_EQ(p.score, 3000);
}

}  // namespace
