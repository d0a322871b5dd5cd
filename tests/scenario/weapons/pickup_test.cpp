// Items on the floor: reach, who may take them, and several on one tick.
#include <gtest/gtest.h>

#include <string>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entity_list.h"
#include "entities/pickup_update.h"
#include "tests/scenario/weapons/weapons_level.h"
#include "tests/support/capture_stdout.h"

namespace {

const char* shelf = "#########\n#.m...h.#\n#.......#\n#...P...#\n#########\n";

// Stands the player at `item` + (dx, dy, dz) and runs the item's update.
std::string touch(weapons_level& l, entity* item, double dx, double dy, double dz) {
  const double at[3] = {item->pos[0] + dx, item->pos[1] + dy, item->pos[2] + dz};
  for (int i = 0; i < 3; ++i) l.p.pos[i] = at[i];
  capture_stdout_begin();
  pickup_update(item, l.p);
  return capture_stdout_end();
}

TEST(Pickups, ReachIsUnderTwoUnitsFromTheFeetAndACorpseTakesNothing) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(shelf, l));
  entity* magazine = l.first(ent_magazine);
  const double away[][3] = {{2.0, 0, 0}, {0, 2.0, 0}, {0, -2.5, 0}, {1.2, 1.2, 1.2}};  // 1.2 each: 2.08
  for (const auto& d : away)
    EXPECT_EQ(touch(l, magazine, d[0], d[1], d[2]), "") << d[0] << " " << d[1] << " " << d[2];
  EXPECT_EQ(l.first(ent_magazine), magazine);

  // A dead player's body still slides and falls; morphine must not raise it.
  l.p.health = -20;
  EXPECT_EQ(touch(l, l.first(ent_morphine), 0, 0, 0), "");
  EXPECT_EQ(l.p.health, -20);
  EXPECT_EQ(l.count(ent_morphine), 1);
  l.p.health = 100;

  EXPECT_EQ(touch(l, magazine, 0, 1.99, 0), "pickup?\n");
  EXPECT_EQ(l.count(ent_magazine), 0);
  EXPECT_STREQ(l.p.pickup_message, "Picked up a magazine.");

  // An item of a kind without effect goes silently.
  entity* odd = entity_append(405, l.map.head);
  l.p.pickup_message_flag = 0;
  EXPECT_EQ(touch(l, odd, 0, 0, 0), "pickup?\n");
  EXPECT_EQ(l.count(405), 0);
  EXPECT_EQ(l.p.pickup_message_flag, 0);
}

// Items stacked in reach on one tick are all taken in the walk's order: two
// magazines add two magazines' worth, and the last message taken is shown,
// with the age the first one's message had reached.
TEST(Pickups, ItemsTouchedOnTheSameTickAreAllTaken) {
  weapons_level l;
  ASSERT_TRUE(load_weapons_level(shelf, l));
  entity* magazine = l.first(ent_magazine);
  for (int type : {ent_mouse, ent_magazine}) {
    entity* extra = entity_append(type, l.map.head);
    for (int i = 0; i < 3; ++i) extra->pos[i] = magazine->pos[i] + 0.4 * (type == ent_mouse);
  }
  for (int i = 0; i < 3; ++i) l.p.pos[i] = magazine->pos[i];
  l.p.pickup_message_flag = 1;
  l.p.pickup_message_time = 3.5;
  capture_stdout_begin();
  l.run();
  EXPECT_EQ(count_occurrences(capture_stdout_end(), "pickup?\n"), 3);
  EXPECT_EQ(l.count(ent_magazine) + l.count(ent_mouse), 0);
  EXPECT_EQ(l.p.guns[0].loaded, 60);
  EXPECT_EQ(l.p.guns[0].reserve, 200 + 2 * 100);
  EXPECT_EQ(l.p.score, 3000);
  EXPECT_STREQ(l.p.pickup_message, "Picked up a magazine.");
  l.run(28);
  EXPECT_EQ(l.p.pickup_message_flag, 1);
  l.run(2);
  EXPECT_EQ(l.p.pickup_message_flag, 0) << "gone when the first message's 4.0 s ran out";
}

}  // namespace
