// Walls, steps, sliding, unsticking, the fall pass and the player's tick.
#include <gtest/gtest.h>

#include "player/player_fall.h"
#include "player/player_update.h"
#include "player/player_walls.h"
#include "tests/player/player_test_support.h"
#include "tests/player/test_trees.h"

namespace {

constexpr double dt = 0.01;

void run_ticks(player& p, const key_state& keys, const bsp_node* root, int ticks) {
  for (int i = 0; i < ticks; ++i) player_update(p, keys, root, nullptr, dt, mouse_state{});
}

TEST(PlayerFall, StandingStillDoesNotDrift) {
  test_tree tree;
  build_floor(tree);
  for (double y : {0.0, 0.1, 0.2}) {
    player p = fresh_player(2, y, -3);
    key_state keys{};
    run_ticks(p, keys, tree.root, 1);
    const player first = p;
    run_ticks(p, keys, tree.root, 300);
    EXPECT_EQ(p.pos[0], 2.0);
    EXPECT_EQ(p.pos[1], y);
    EXPECT_EQ(p.pos[2], -3.0);
    EXPECT_EQ(p.vel[1], 0.0);
    EXPECT_EQ(p.on_ground, 1);
    EXPECT_EQ(p.jump_time, 0.0);
    EXPECT_EQ(first.pos[1], y);
  }
}

TEST(PlayerFall, FallsWithGravityAndLandsWithoutSnapping) {
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 6, 0);
  player_fall(p, tree.root, dt);
  EXPECT_DOUBLE_EQ(p.vel[1], -0.3);
  EXPECT_DOUBLE_EQ(p.pos[1], 6.0 - 0.3 * dt - 15 * dt * dt);
  EXPECT_EQ(p.on_ground, 0);

  key_state keys{};
  run_ticks(p, keys, tree.root, 400);
  // The feet probes reach 0.25 under the feet, and a landing does not
  // move the player: it rests about that high, give or take a tick's fall.
  EXPECT_EQ(p.on_ground, 1);
  EXPECT_EQ(p.vel[1], 0.0);
  EXPECT_GT(p.pos[1], 0.1);
  EXPECT_LT(p.pos[1], 0.45);
}

TEST(PlayerFall, AirborneHorizontalMotionCountsTwice) {
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 6, 0);
  p.vel[0] = 1.0;
  key_state keys{};
  player_update(p, keys, tree.root, nullptr, dt, mouse_state{});
  double vx = 1.0 - 2 * dt;  // after drag
  EXPECT_DOUBLE_EQ(p.pos[0], 2 * vx * dt);
}

TEST(PlayerWalls, SlidesAlongAHighWall) {
  test_tree tree;
  build_floor_and_wall(tree, 5.0);
  player p = fresh_player(4.72, 0.1, 0);
  p.vel[0] = 5.0;
  p.vel[2] = 5.0;
  p.accel[0] = 10.0;
  player_walls(p, tree.root, dt, 0);
  EXPECT_EQ(p.vel[0], 0.0);
  EXPECT_EQ(p.vel[2], 5.0);
  EXPECT_EQ(p.accel[0], 0.0);
  EXPECT_EQ(p.pos[0], 4.72);
  EXPECT_DOUBLE_EQ(p.pos[2], 0.05);
  EXPECT_EQ(p.pos[1], 0.1);
}

TEST(PlayerWalls, WalkingDiagonallyIntoAWallKeepsOutOfIt) {
  test_tree tree;
  build_floor_and_wall(tree, 5.0);
  player p = fresh_player(3.0, 0.1, 0);
  key_state keys{};
  keys.slots[char_slot('w')] = key_held;
  keys.slots[char_slot('d')] = key_held;
  run_ticks(p, keys, tree.root, 300);
  EXPECT_LE(p.pos[0], 4.75);
  EXPECT_GT(p.pos[0], 4.5);
  EXPECT_LT(p.pos[2], -10.0);
  EXPECT_EQ(p.pos[1], 0.1);
}

TEST(PlayerWalls, ANearWallIsNotMet) {
  // Closer than 0.25 to the wall's plane: the probe is ignored.
  test_tree tree;
  build_floor_and_wall(tree, 5.0);
  player p = fresh_player(4.76, 0.1, 0);
  p.vel[0] = 1.0;
  player_walls(p, tree.root, dt, 0);
  EXPECT_EQ(p.vel[0], 1.0);
  EXPECT_DOUBLE_EQ(p.pos[0], 4.77);
}

TEST(PlayerWalls, LowStepRaisesByOneHundredAndOneHundredthsPerProbe) {
  test_tree tree;
  build_floor_and_step(tree, 3.0, 0.5);
  player p = fresh_player(2.72, 0.1, 0);
  p.vel[0] = 5.0;
  player_walls(p, tree.root, dt, 0);
  // The two corners on the step's side both end inside it.
  EXPECT_DOUBLE_EQ(p.pos[1], 0.1 + 2.02);
  EXPECT_DOUBLE_EQ(p.pos[0], 2.77);
  EXPECT_EQ(p.vel[0], 5.0);
}

TEST(PlayerWalls, WalkingOntoAStep) {
  test_tree tree;
  build_floor_and_step(tree, 3.0, 0.5);
  player p = fresh_player(1.0, 0.0, 0);
  key_state keys{};
  keys.slots[char_slot('d')] = key_held;
  run_ticks(p, keys, tree.root, 60);
  keys = key_state{};
  run_ticks(p, keys, tree.root, 200);
  EXPECT_GT(p.pos[0], 3.25);
  EXPECT_GT(p.pos[1], 0.6);
  EXPECT_LT(p.pos[1], 0.95);
  EXPECT_EQ(p.on_ground, 1);
}

TEST(PlayerWalls, AStepUnderALowCeilingIsASlide) {
  // The way one unit higher runs into the wall above the step.
  test_tree tree;
  build_floor_and_wall(tree, 3.0);
  player p = fresh_player(2.72, 0.1, 0);
  p.vel[0] = 5.0;
  player_walls(p, tree.root, dt, 0);
  EXPECT_EQ(p.pos[1], 0.1);
  EXPECT_EQ(p.vel[0], 0.0);
}

TEST(PlayerWalls, InsideSolidIsNudgedAtMostThreeTimes) {
  test_tree tree;
  build_floor_and_wall(tree, 5.0);
  player p = fresh_player(5.1, 0.1, 0);
  p.vel[2] = 1.0;
  player_walls(p, tree.root, dt, 0);
  // +0.25, then -0.25 and +0.25 in z, then +0.25: still inside, no motion.
  EXPECT_DOUBLE_EQ(p.pos[0], 5.35);
  EXPECT_DOUBLE_EQ(p.pos[2], 0.25);
  EXPECT_EQ(p.pos[1], 0.1);
}

TEST(PlayerWalls, ANudgeOutOfAWallLetsThePassRun) {
  test_tree tree;
  build_room(tree);
  player p = fresh_player(-10.1, 0.1, 0);
  p.vel[2] = 1.0;
  player_walls(p, tree.root, dt, 0);
  EXPECT_DOUBLE_EQ(p.pos[0], -9.85);
  EXPECT_DOUBLE_EQ(p.pos[2], 0.01);
}

TEST(PlayerUpdate, JumpHeldForTheWholeWindow) {
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 0.1, 0);
  key_state keys{};
  run_ticks(p, keys, tree.root, 1);
  ASSERT_EQ(p.on_ground, 1);

  keys.slots[key_slot_space] = key_pressed;
  run_ticks(p, keys, tree.root, 1);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.pos[1], 0.1);

  keys.slots[key_slot_space] = key_held;
  int thrust_ticks = 0;
  while (thrust_ticks < 100) {
    run_ticks(p, keys, tree.root, 1);
    if (!p.jumping) break;
    ++thrust_ticks;
  }
  EXPECT_GE(thrust_ticks, 14);
  EXPECT_LE(thrust_ticks, 15);
  EXPECT_EQ(p.on_ground, 0);
  // About 0.15 s of 48 upward, less the drag.
  EXPECT_GT(p.vel[1], 5.0);
  EXPECT_LT(p.vel[1], 0.15 * 48);
  EXPECT_GT(p.pos[1], 0.4);

  // Up and down again, landing on the floor.
  keys = key_state{};
  run_ticks(p, keys, tree.root, 300);
  EXPECT_EQ(p.on_ground, 1);
  EXPECT_LT(p.pos[1], 0.45);
}

TEST(PlayerUpdate, ReleasedEarlyTheFallWaitsForTheWindow) {
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 0.1, 0);
  key_state keys{};
  run_ticks(p, keys, tree.root, 1);
  keys.slots[key_slot_space] = key_held;
  run_ticks(p, keys, tree.root, 3);
  ASSERT_EQ(p.jumping, 1);
  keys.slots[key_slot_space] = key_released;
  double vy = p.vel[1];
  run_ticks(p, keys, tree.root, 1);
  // No gravity while the window runs: only the drag slows the rise.
  EXPECT_EQ(p.jumping, 1);
  EXPECT_DOUBLE_EQ(p.vel[1], vy - 2 * dt * vy);
  // Four ticks of 0.01 so far; the window closes once jump_time passes 0.15.
  keys = key_state{};
  int ticks = 0;
  while (p.jumping && ticks < 100) {
    run_ticks(p, keys, tree.root, 1);
    ++ticks;
  }
  EXPECT_GE(ticks, 11);
  EXPECT_LE(ticks, 12);
  EXPECT_GT(p.jump_time, 0.15);
  EXPECT_EQ(p.on_ground, 0);
}

TEST(PlayerUpdate, ACeilingOverTheHeadStopsTheJump) {
  test_tree tree;
  build_floor_and_ceiling(tree, 2.3);
  player p = fresh_player(0, 0.0, 0);
  key_state keys{};
  run_ticks(p, keys, tree.root, 1);
  keys.slots[key_slot_space] = key_held;
  run_ticks(p, keys, tree.root, 10);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.vel[1], 0.0);
  EXPECT_EQ(p.pos[1], 0.0);
  EXPECT_EQ(p.on_ground, 1);
}

TEST(PlayerUpdate, BelowTheDeathPlaneThePlayerDies) {
  test_tree tree;
  tree.root = tree.leaf(false);  // nothing to stand on
  player p = fresh_player(0, 0, 0);
  key_state keys{};
  int ticks = 0;
  while (p.health > 0 && ticks < 10000) {
    run_ticks(p, keys, tree.root, 1);
    ++ticks;
  }
  EXPECT_EQ(p.health, 0);
  EXPECT_EQ(p.jumping, 1);
  EXPECT_LT(p.pos[1], -100.0);
  EXPECT_EQ(p.death_timer, 0.0);
  // Dead: the death timer runs, the keys do nothing, the mouse still turns.
  keys.slots[char_slot('w')] = key_held;
  mouse_state mouse{};
  mouse.x_motion = -5;
  player_update(p, keys, tree.root, nullptr, dt, mouse);
  EXPECT_DOUBLE_EQ(p.death_timer, dt);
  EXPECT_EQ(p.accel[2], 0.0);
  EXPECT_EQ(p.yaw, 5.0);
}

TEST(PlayerUpdate, TimersAndZoom) {
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 0.1, 0);
  p.hit_markers[0] = hit_marker{{0, 0, 0}, 0.295, 1};
  p.hit_markers[1] = hit_marker{{0, 0, 0}, 0.31, 1};
  p.hit_markers[2] = hit_marker{{0, 0, 0}, 0.1, 0};
  p.pickup_message_flag = 1;
  p.pickup_message_time = 3.995;
  mouse_state mouse{};
  mouse.right = 1;
  key_state keys{};
  player_update(p, keys, tree.root, nullptr, dt, mouse);
  EXPECT_EQ(p.zoom_flag, 1);
  EXPECT_EQ(p.hit_markers[0].active, 1);
  EXPECT_DOUBLE_EQ(p.hit_markers[0].age, 0.305);
  EXPECT_EQ(p.hit_markers[1].active, 0);
  EXPECT_EQ(p.hit_markers[2].age, 0.1);
  EXPECT_EQ(p.pickup_message_flag, 0);
  EXPECT_EQ(p.pickup_message_time, 0.0);
  player_update(p, keys, tree.root, nullptr, dt, mouse_state{});
  EXPECT_EQ(p.zoom_flag, 0);
  EXPECT_EQ(p.hit_markers[0].active, 0);
  EXPECT_DOUBLE_EQ(p.prev_pos[1], 0.1);
}

}  // namespace

namespace {

TEST(PlayerWalls, SlideIgnoresTheLengthOfTheWallNormal) {
  // The same wall as SlidesAlongAHighWall, its normal stored at length 2.
  test_tree tree;
  const double origin[3] = {0, 0, 0};
  const double up[3] = {0, 1, 0};
  const double wall[3] = {5, 0, 0};
  const double long_normal[3] = {-2, 0, 0};
  bsp_node* floor = tree.split(origin, up, tree.leaf(false), tree.leaf(true));
  tree.root = tree.split(wall, long_normal, floor, tree.leaf(true));
  player p = fresh_player(4.72, 0.1, 0);
  p.vel[0] = 5.0;
  p.vel[2] = 5.0;
  player_walls(p, tree.root, 0.01, 0);
  EXPECT_EQ(p.vel[0], 0.0);
  EXPECT_EQ(p.vel[2], 5.0);
}

}  // namespace
