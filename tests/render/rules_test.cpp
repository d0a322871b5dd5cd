// The renderer's table-driven choices: eye height, fade, field of view,
// faces, weapon images, icons, number placement and glyph cells.
#include <gtest/gtest.h>

#include <vector>

#include "player/gun.h"
#include "player/player.h"
#include "render/frame_rules.h"
#include "render/hud_rules.h"
#include "render/text.h"

namespace {

player living(int health) {
  player p{};
  p.health = health;
  return p;
}

TEST(EyeHeight, StandingCrouchedAndDying) {
  player p = living(100);
  EXPECT_DOUBLE_EQ(eye_height(p), 2.25);
  p.crouch = 1;
  EXPECT_DOUBLE_EQ(eye_height(p), 1.125);
  p = living(0);
  p.death_timer = 1.0;
  EXPECT_DOUBLE_EQ(eye_height(p), 1.6875);
  p.death_timer = 2.0;
  EXPECT_DOUBLE_EQ(eye_height(p), 1.125);
  p.death_timer = 2.0001;
  EXPECT_DOUBLE_EQ(eye_height(p), 0.0);
  // A dead player's crouch does not matter.
  p = living(-20);
  p.crouch = 1;
  EXPECT_DOUBLE_EQ(eye_height(p), 2.25);
}

TEST(EyeHeight, EyePositionRaisesOnlyY) {
  player p = living(50);
  p.pos[0] = 3;
  p.pos[1] = -1;
  p.pos[2] = 7;
  double eye[3];
  eye_position(p, eye);
  EXPECT_DOUBLE_EQ(eye[0], 3);
  EXPECT_DOUBLE_EQ(eye[1], 1.25);
  EXPECT_DOUBLE_EQ(eye[2], 7);
}

TEST(DeathFade, GrowsOverSixSecondsThenStaysFull) {
  EXPECT_DOUBLE_EQ(death_fade_alpha(0.0), 0.0);
  EXPECT_DOUBLE_EQ(death_fade_alpha(3.0), 0.5);
  EXPECT_DOUBLE_EQ(death_fade_alpha(6.0), 1.0);
  EXPECT_DOUBLE_EQ(death_fade_alpha(40.0), 1.0);
}

TEST(ViewFov, ZoomNarrowsTo35WhateverTheSetting) {
  EXPECT_DOUBLE_EQ(view_fov(0, 60), 60.0);
  EXPECT_DOUBLE_EQ(view_fov(1, 60), 35.0);
  EXPECT_DOUBLE_EQ(view_fov(1, 110), 35.0);
}

TEST(FaceCell, ByHealthBands) {
  struct row {
    int health;
    double left, right;
  };
  const row rows[] = {{101, 1 / 7.0, 0},      {100, 2 / 7.0, 1 / 7.0}, {71, 2 / 7.0, 1 / 7.0},
                      {70, 3 / 7.0, 2 / 7.0}, {31, 3 / 7.0, 2 / 7.0},  {30, 4 / 7.0, 3 / 7.0},
                      {1, 4 / 7.0, 3 / 7.0},  {0, 5 / 7.0, 4 / 7.0},   {-5, 5 / 7.0, 4 / 7.0}};
  for (const row& r : rows) {
    double left, right;
    face_cell(r.health, &left, &right);
    EXPECT_DOUBLE_EQ(left, r.left) << "health " << r.health;
    EXPECT_DOUBLE_EQ(right, r.right) << "health " << r.health;
  }
}

TEST(AmmoIcon, CellPerGunAndGunZeroForOthers) {
  const double expected[][2] = {{0.4, 0.2}, {0.6, 0.4}, {0.8, 0.6}, {1.0, 0.8}};
  for (int g = 0; g < 4; ++g) {
    double left, right;
    ammo_icon_cell(g, &left, &right);
    EXPECT_DOUBLE_EQ(left, expected[g][0]);
    EXPECT_DOUBLE_EQ(right, expected[g][1]);
  }
  double left, right;
  ammo_icon_cell(7, &left, &right);
  EXPECT_DOUBLE_EQ(left, 0.4);
  EXPECT_DOUBLE_EQ(right, 0.2);
}

TEST(LoadedNumber, OneOrTwoDigitsEndAtTheIcon) {
  EXPECT_DOUBLE_EQ(loaded_number_x(0), 0.4);
  EXPECT_DOUBLE_EQ(loaded_number_x(9), 0.4);
  EXPECT_DOUBLE_EQ(loaded_number_x(10), 0.3);
  EXPECT_DOUBLE_EQ(loaded_number_x(60), 0.3);
}

// The distinct slots shown, in order, as the timer runs from 0 to `until`.
std::vector<int> slots_over_time(int gun_index, gun g, int reloading, double until) {
  std::vector<int> seen;
  for (double t = 0.0; t < until; t += 0.001) {
    g.fire_timer = t;
    int slot = view_model_slot(gun_index, g, reloading, 100);
    if (seen.empty() || seen.back() != slot) seen.push_back(slot);
  }
  return seen;
}

std::vector<int> run(int from, int to) {
  std::vector<int> v;
  for (int s = from; from <= to ? s <= to : s >= to; s += from <= to ? 1 : -1) v.push_back(s);
  return v;
}

class ViewModel : public testing::Test {
 protected:
  void SetUp() override { gun_initial_values(guns); }
  gun firing(int index) {
    gun g = guns[index];
    g.trigger = 1;
    g.loaded = 5;
    return g;
  }
  gun guns[gun_count];
};

TEST_F(ViewModel, IdleSlots) {
  const int idle[] = {20, 37, 55, 82, 9};
  for (int g = 0; g < gun_count; ++g) EXPECT_EQ(view_model_slot(g, guns[g], 0, 100), idle[g]) << "gun " << g;
}

TEST_F(ViewModel, FiringSlotsOverOneInterval) {
  EXPECT_EQ(slots_over_time(0, firing(0), 0, 0.2), run(23, 21));
  EXPECT_EQ(slots_over_time(1, firing(1), 0, 0.5), run(40, 38));
  EXPECT_EQ(slots_over_time(2, firing(2), 0, 0.2), run(59, 56));
  EXPECT_EQ(slots_over_time(3, firing(3), 0, 0.6), run(77, 81));
  EXPECT_EQ(slots_over_time(4, firing(4), 0, 0.25), std::vector<int>{9});
}

TEST_F(ViewModel, ReloadingSlotsToTheEnd) {
  // Past the end of its time a reload shows image 0 and stays there.
  EXPECT_EQ(slots_over_time(0, guns[0], 1, 4.0), run(34, 24));
  EXPECT_EQ(slots_over_time(1, guns[1], 1, 2.4), run(41, 54));
  EXPECT_EQ(slots_over_time(2, guns[2], 1, 4.0), run(75, 59));
  EXPECT_EQ(slots_over_time(3, guns[3], 1, 4.0), run(83, 108));
  EXPECT_EQ(slots_over_time(4, guns[4], 1, 0.5), run(17, 9));
}

TEST_F(ViewModel, FiringNeedsAmmunitionAndHealthNotZero) {
  gun g = firing(0);
  g.fire_timer = 0.01;
  EXPECT_EQ(view_model_slot(0, g, 0, 100), 23);
  EXPECT_EQ(view_model_slot(0, g, 0, 0), 20);
  // Only exactly 0 stops it: a player below 0 still shows the shot.
  EXPECT_EQ(view_model_slot(0, g, 0, -5), 23);
  g.loaded = 0;
  EXPECT_EQ(view_model_slot(0, g, 0, 100), 20);
  // Reloading wins over the trigger.
  g.loaded = 5;
  EXPECT_EQ(view_model_slot(0, g, 1, 100), 34);
}

TEST_F(ViewModel, OtherGunIndexesAndOddImageCountsDrawNothing) {
  EXPECT_EQ(view_model_slot(5, guns[0], 0, 100), -1);
  EXPECT_EQ(view_model_slot(-1, guns[0], 0, 100), -1);
  gun g = guns[3];
  g.fire_images = 200;  // would reach past the last slot
  EXPECT_EQ(view_model_slot(3, g, 0, 100), -1);
  EXPECT_EQ(view_model_frame(0, 0.2, 0.1), 0);
  EXPECT_EQ(view_model_frame(1, 0.0, 0.1), 0);
}

TEST(GlyphCell, BothImagesAndTheCharactersWithout) {
  glyph_cell c;
  ASSERT_TRUE(glyph_cell_of('!', &c));
  EXPECT_EQ(c.image, 0);
  EXPECT_EQ(c.column, 0);
  EXPECT_EQ(c.row, 0);
  ASSERT_TRUE(glyph_cell_of('A', &c));  // index 32
  EXPECT_EQ(c.image, 0);
  EXPECT_EQ(c.column, 0);
  EXPECT_EQ(c.row, 4);
  ASSERT_TRUE(glyph_cell_of('`', &c));  // 96, the last of the first image
  EXPECT_EQ(c.image, 0);
  EXPECT_EQ(c.column, 7);
  EXPECT_EQ(c.row, 7);
  ASSERT_TRUE(glyph_cell_of('a', &c));
  EXPECT_EQ(c.image, 1);
  EXPECT_EQ(c.column, 0);
  EXPECT_EQ(c.row, 0);
  ASSERT_TRUE(glyph_cell_of('~', &c));
  EXPECT_EQ(c.image, 1);
  EXPECT_EQ(c.row, 3);
  EXPECT_EQ(c.column, 5);
  EXPECT_FALSE(glyph_cell_of(' ', &c));
  EXPECT_FALSE(glyph_cell_of(127, &c));
  EXPECT_FALSE(glyph_cell_of(200, &c));
}

TEST(FormatText, CutsAtTheBufferAndAlwaysTerminates) {
  char small[8];
  EXPECT_EQ(format_text(small, sizeof small, "Score:%d", 123456), 7);
  EXPECT_STREQ(small, "Score:1");
  char buf[40];
  format_text(buf, sizeof buf, "VEL: (%.2f, %.2f, %.2f)", 1.0, 2.5, 0.125);
  EXPECT_STREQ(buf, "VEL: (1.00, 2.50, 0.12)");
}

}  // namespace
