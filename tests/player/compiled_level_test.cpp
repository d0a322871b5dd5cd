// Movement on the compiled Facility level: its start room, hall and stairs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/level_load.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "entities/entity_list_free.h"
#include "player/player_update.h"
#include "tests/player/player_test_support.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"
#include "world/level_lists_free.h"

namespace {

constexpr double dt = 0.01;

std::string facility_path() {
  const char* data = getenv("TARVO_DATA_DIR");
  return std::string(data ? data : "data") + "/maps/facility.t3bsp";
}

// The Facility level as the game loads it. Its grid puts one character on
// 2 x 2 units: the start room (the lobby) spans x 24 to 52 and z 52 to 74 at
// floor 0, the tall hall north of it x 16 to 64 and z 18 to 46, and in its
// south-east corner the stairs x 64 to 72 rise by 0.5 per 2 units northwards
// from z 46 to 38 onto the gallery, the upper floor at 2.
class CompiledLevel : public testing::Test {
 protected:
  void SetUp() override {
    if (access(facility_path().c_str(), R_OK) != 0)
      GTEST_SKIP() << "no compiled level at " << facility_path();
    ASSERT_TRUE(test_gl_context());
    set_config_defaults(config);
    player_init(the_player, config);
    entity_list = entity_list_new_head();
    capture_stdout_begin();
    bool loaded = load_level(facility_path().c_str(), entity_list, textures, bsp_root, ai_node_list,
                             the_player, config);
    capture_stdout_end();
    ASSERT_TRUE(loaded);
    for (const entity* e = entity_list; e; e = e->next)
      if (e->type == 1) {
        for (int i = 0; i < 3; ++i) start[i] = e->pos[i];
        break;
      }
  }
  void TearDown() override {
    bsp_free(bsp_root);
    world_textures_free(textures.world_textures);
    entity_list_free(entity_list);
    ai_nodes_free(ai_node_list);
  }

  player at(double x, double y, double z) const { return fresh_player(x, y, z); }
  void run(player& p, const key_state& keys, int ticks, entity* list = nullptr) {
    for (int i = 0; i < ticks; ++i) player_update(p, keys, bsp_root, list, dt, mouse_state{});
  }
  bool empty_at(double x, double y, double z) const {
    const double q[3] = {x, y, z};
    return bsp_segment_clear(q, q, bsp_root) == 1;
  }

  config_table config{};
  player the_player{};
  texture_table textures{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;
  double start[3] = {0, 0, 0};
};

TEST_F(CompiledLevel, TheLayoutTheseTestsWalk) {
  EXPECT_EQ(start[0], 37.0);
  EXPECT_EQ(start[1], 0.0);
  EXPECT_EQ(start[2], 71.0);
  EXPECT_TRUE(empty_at(37, 0.1, 71));
  EXPECT_FALSE(empty_at(37, -0.1, 71));
  EXPECT_FALSE(empty_at(37, 1, 75));    // south wall of the start room
  EXPECT_TRUE(empty_at(60, 0.1, 45));   // the hall
  EXPECT_FALSE(empty_at(68, 0.4, 45));  // first stair
  EXPECT_TRUE(empty_at(68, 0.6, 45));
  EXPECT_TRUE(empty_at(68, 2.1, 30));  // upper floor (the gallery)
  EXPECT_FALSE(empty_at(68, 1.9, 30));
}

TEST_F(CompiledLevel, StandingStillDoesNotDrift) {
  player p = at(start[0], start[1], start[2]);
  key_state keys{};
  run(p, keys, 1);
  player first = p;
  run(p, keys, 500);
  EXPECT_EQ(p.pos[0], first.pos[0]);
  EXPECT_EQ(p.pos[1], first.pos[1]);
  EXPECT_EQ(p.pos[2], first.pos[2]);
  EXPECT_EQ(p.pos[1], 0.0);
  EXPECT_EQ(p.vel[1], 0.0);
  EXPECT_EQ(p.on_ground, 1);
}

TEST_F(CompiledLevel, ForwardFromRestAndForwardWithBackward) {
  player p = at(start[0], start[1], start[2]);
  key_state keys{};
  keys.slots[char_slot('w')] = key_held;
  run(p, keys, 1);
  EXPECT_EQ(p.accel[2], -28.0);
  EXPECT_NEAR(p.accel[0], 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(p.vel[2], -0.28);

  p = at(start[0], start[1], start[2]);
  keys.slots[char_slot('s')] = key_held;
  run(p, keys, 1);
  EXPECT_NEAR(p.accel[2], 0.0, 1e-12);
  EXPECT_NEAR(p.vel[2], 0.0, 1e-12);
}

TEST_F(CompiledLevel, JumpWindowAndLandingAgain) {
  player p = at(start[0], start[1], start[2]);
  key_state keys{};
  run(p, keys, 1);
  keys.slots[key_slot_space] = key_pressed;
  run(p, keys, 1);
  EXPECT_EQ(p.jumping, 0);
  keys.slots[key_slot_space] = key_held;
  int thrust = 0;
  for (; thrust < 100; ++thrust) {
    run(p, keys, 1);
    if (!p.jumping) break;
  }
  EXPECT_GE(thrust, 14);
  EXPECT_LE(thrust, 15);
  EXPECT_GT(p.pos[1], 0.4);
  keys = key_state{};
  run(p, keys, 300);
  EXPECT_EQ(p.on_ground, 1);
  EXPECT_GT(p.pos[1], 0.0);
  EXPECT_LT(p.pos[1], 0.5);
}

TEST_F(CompiledLevel, ClimbsTheStairsOntoTheUpperFloor) {
  player p = at(60, 0, 45);
  key_state keys{};
  keys.slots[char_slot('d')] = key_held;  // +x at yaw 0: onto the first stair
  int tick = 0;
  for (; tick < 200 && p.pos[0] < 68; ++tick) run(p, keys, 1);
  ASSERT_GE(p.pos[0], 68.0);
  EXPECT_GE(p.pos[1], 0.5);
  keys = key_state{};
  run(p, keys, 100);
  keys.slots[char_slot('w')] = key_held;  // -z: up the stairs
  double highest_step = 0;
  for (tick = 0; tick < 250; ++tick) {
    run(p, keys, 1);
    // Never inside the stairs.
    ASSERT_TRUE(empty_at(p.pos[0], p.pos[1] + 0.01, p.pos[2])) << "tick " << tick;
    if (p.pos[2] > 38 && p.pos[2] < 46) highest_step = std::fmax(highest_step, p.pos[1]);
  }
  keys = key_state{};
  run(p, keys, 200);
  EXPECT_GT(highest_step, 1.0);
  EXPECT_LT(p.pos[2], 36.0);
  EXPECT_GE(p.pos[1], 2.0);
  EXPECT_LT(p.pos[1], 2.5);
  EXPECT_EQ(p.on_ground, 1);
}

TEST_F(CompiledLevel, SlidesAlongTheStartRoomsSouthWall) {
  player p = at(26, 0, 67);
  key_state keys{};
  keys.slots[char_slot('s')] = key_held;  // +z
  keys.slots[char_slot('d')] = key_held;  // +x
  bool reached_wall = false;
  double x_at_wall = 0;
  for (int tick = 0; tick < 300; ++tick) {
    run(p, keys, 1);
    ASSERT_LT(p.pos[2], 74.0) << "tick " << tick;
    ASSERT_LT(p.pos[0], 52.0) << "tick " << tick;
    if (!reached_wall && p.pos[2] > 73.7) {
      reached_wall = true;
      x_at_wall = p.pos[0];
    }
  }
  ASSERT_TRUE(reached_wall);
  EXPECT_GT(p.pos[2], 73.7);
  EXPECT_GT(p.pos[0], x_at_wall + 1.0);
  EXPECT_EQ(p.pos[1], 0.0);
}

TEST_F(CompiledLevel, ContactWithTwoEnemiesButNotADeadOne) {
  entity* tail = entity_list;
  while (tail->next) tail = tail->next;
  const double offsets[3][2] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}};
  const int32_t states[3] = {1, 2, 8};
  for (int i = 0; i < 3; ++i) {
    entity* e = new entity{};
    e->type = 200 + i;
    e->state = states[i];
    e->pos[0] = start[0] + offsets[i][0];
    e->pos[1] = start[1];
    e->pos[2] = start[2] + offsets[i][1];
    e->prev = tail;
    tail->next = e;
    tail = e;
  }
  player p = at(start[0], start[1], start[2]);
  key_state keys{};
  keys.slots[char_slot('w')] = key_held;
  run(p, keys, 1, entity_list);
  EXPECT_EQ(p.accel[2], -28.0 / 16.0);
}

}  // namespace
