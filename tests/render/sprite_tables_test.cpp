// Sprite sizes by type, sheet cells by state, frame and viewing angle, and
// the distance shade.
#include "render/sprite_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expect_column(double angle, double left, double right) {
  double l, r;
  sprite_column(angle, &l, &r);
  EXPECT_DOUBLE_EQ(l, left) << "angle " << angle;
  EXPECT_DOUBLE_EQ(r, right) << "angle " << angle;
}

TEST(SpriteColumn, InsideEachRange) {
  expect_column(0, 0.2, 0.0);
  expect_column(45, 0.2, 0.4);
  expect_column(-45, 0.4, 0.2);
  expect_column(90, 0.4, 0.6);
  expect_column(-90, 0.6, 0.4);
  expect_column(135, 0.6, 0.8);
  expect_column(-135, 0.8, 0.6);
  expect_column(180, 1.0, 0.8);
  expect_column(-180, 1.0, 0.8);
}

TEST(SpriteColumn, BoundaryAnglesTakeTheEarlierRow) {
  expect_column(22.5, 0.2, 0.0);
  expect_column(-22.5, 0.2, 0.0);
  expect_column(67.5, 0.2, 0.4);
  expect_column(-67.5, 0.4, 0.2);
  expect_column(112.5, 0.4, 0.6);
  expect_column(-112.5, 0.6, 0.4);
  expect_column(157.5, 0.6, 0.8);
  expect_column(-157.5, 0.8, 0.6);
}

TEST(ViewingAngle, FrontBehindAndTheWrap) {
  const double enemy[3] = {0, 0, 0};
  const double in_front[3] = {0, 0, 10};  // along +z, where facing 0 looks
  EXPECT_NEAR(sprite_viewing_angle(enemy, 0.0, in_front), 0.0, 1e-12);
  const double behind[3] = {0, 0, -10};
  EXPECT_NEAR(std::fabs(sprite_viewing_angle(enemy, 0.0, behind)), 180.0, 1e-12);
  const double to_the_side[3] = {10, 0, 0};
  EXPECT_NEAR(sprite_viewing_angle(enemy, 0.0, to_the_side), 90.0, 1e-12);
  // Facing 3 rad and the viewer at -170 degrees: one turn brings it back.
  const double viewer[3] = {std::sin(-170 * 3.141592653589793 / 180), 0,
                            std::cos(-170 * 3.141592653589793 / 180)};
  double a = sprite_viewing_angle(enemy, 3.0, viewer);
  EXPECT_NEAR(a, -170.0 - 3.0 * 180 / 3.141592653589793 + 360.0, 1e-9);
}

TEST(SheetCell, WalkingRowsByFrame) {
  sprite_cell c = sprite_sheet_cell(2, 3, 10, 0.0);
  EXPECT_DOUBLE_EQ(c.top_v, 0.2);
  EXPECT_DOUBLE_EQ(c.bottom_v, 0.3);
  EXPECT_DOUBLE_EQ(c.left_u, 0.2);
  EXPECT_DOUBLE_EQ(c.right_u, 0.0);
  // Frame 0, as a hatched enemy has, wraps to the last row.
  c = sprite_sheet_cell(1, 0, 10, 0.0);
  EXPECT_DOUBLE_EQ(c.top_v, 0.9);
  EXPECT_DOUBLE_EQ(c.bottom_v, 1.0);
  c = sprite_sheet_cell(1, 0, 12, 180.0);
  EXPECT_DOUBLE_EQ(c.top_v, 11.0 / 12);
  EXPECT_DOUBLE_EQ(c.bottom_v, 1.0);
  EXPECT_DOUBLE_EQ(c.left_u, 1.0);
}

TEST(SheetCell, DyingDeadAndReviving) {
  for (int frame = 1; frame <= 5; ++frame) {
    sprite_cell c = sprite_sheet_cell(7, frame, 10, 90.0);
    EXPECT_DOUBLE_EQ(c.top_v, 0.6);
    EXPECT_DOUBLE_EQ(c.bottom_v, 0.7);
    EXPECT_NEAR(c.left_u, frame / 5.0, 1e-12);
    EXPECT_NEAR(c.right_u, (frame - 1) / 5.0, 1e-12);
  }
  sprite_cell dead = sprite_sheet_cell(8, 3, 8, 90.0);
  EXPECT_DOUBLE_EQ(dead.top_v, 7.0 / 8);  // the worker's last row
  EXPECT_DOUBLE_EQ(dead.bottom_v, 1.0);
  EXPECT_DOUBLE_EQ(dead.left_u, 0.2);
  EXPECT_DOUBLE_EQ(dead.right_u, 0.0);
  // Reviving plays the dying cells backwards; frame 5 shows the fifth column.
  sprite_cell r = sprite_sheet_cell(11, 1, 10, 0.0);
  EXPECT_NEAR(r.left_u, 0.8, 1e-12);
  EXPECT_NEAR(r.right_u, 0.6, 1e-12);
  r = sprite_sheet_cell(11, 5, 10, 0.0);
  EXPECT_NEAR(r.left_u, 1.0, 1e-12);
  EXPECT_NEAR(r.right_u, 0.8, 1e-12);
  EXPECT_DOUBLE_EQ(r.top_v, 0.6);
}

TEST(DistanceShade, FadesToBlackAtAHundred) {
  const double viewer[3] = {0, 0, 0};
  const double at50[3] = {30, 0, 40};
  const double at100[3] = {0, 100, 0};
  const double at150[3] = {150, 0, 0};
  EXPECT_FLOAT_EQ(distance_shade(at50, viewer), 0.5f);
  EXPECT_FLOAT_EQ(distance_shade(at100, viewer), 0.0f);
  EXPECT_LT(distance_shade(at150, viewer), 0.0f);
  EXPECT_FLOAT_EQ(distance_shade(viewer, viewer), 1.0f);
}

TEST(SpriteTables, SizesAndSheetsByType) {
  billboard_sprite b;
  ASSERT_TRUE(find_billboard_sprite(101, &b));
  EXPECT_EQ(b.slot, 111);
  EXPECT_DOUBLE_EQ(b.half_width, 1.5);
  EXPECT_DOUBLE_EQ(b.half_height, 2.0);
  EXPECT_FALSE(b.shaded);
  ASSERT_TRUE(find_billboard_sprite(308, &b));
  EXPECT_EQ(b.slot, 142);
  EXPECT_DOUBLE_EQ(b.half_width, 1.25);
  EXPECT_TRUE(b.shaded);
  ASSERT_TRUE(find_billboard_sprite(400, &b));
  EXPECT_DOUBLE_EQ(b.half_height, 0.25);
  ASSERT_TRUE(find_billboard_sprite(420, &b));
  EXPECT_EQ(b.slot, 150);
  EXPECT_FALSE(find_billboard_sprite(0, &b));
  EXPECT_FALSE(find_billboard_sprite(1, &b));
  EXPECT_FALSE(find_billboard_sprite(404, &b));
  EXPECT_FALSE(find_billboard_sprite(200, &b));

  animated_sprite a;
  ASSERT_TRUE(find_animated_sprite(200, &a));
  EXPECT_EQ(a.slot, 120);
  EXPECT_EQ(a.rows, 8);
  ASSERT_TRUE(find_animated_sprite(203, &a));
  EXPECT_DOUBLE_EQ(a.half_width, 2.0);
  EXPECT_DOUBLE_EQ(a.height, 5.0);
  ASSERT_TRUE(find_animated_sprite(211, &a));
  EXPECT_EQ(a.slot, 131);
  EXPECT_DOUBLE_EQ(a.half_width, 1.25);
  ASSERT_TRUE(find_animated_sprite(213, &a));
  EXPECT_EQ(a.slot, 133);
  EXPECT_EQ(a.rows, 12);
  EXPECT_DOUBLE_EQ(a.height, 12.0);
  EXPECT_FALSE(find_animated_sprite(214, &a));
  EXPECT_FALSE(find_animated_sprite(199, &a));
}

}  // namespace
