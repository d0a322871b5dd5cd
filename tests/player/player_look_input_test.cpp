// Look, keyboard controls, move pushes and the contact slow-down.
#include <gtest/gtest.h>

#include <cmath>

#include "entities/entity.h"
#include "player/player_contact.h"
#include "player/player_input.h"
#include "player/player_look.h"
#include "player/player_push.h"
#include "player/player_update.h"
#include "tests/player/player_test_support.h"
#include "tests/player/test_trees.h"

namespace {

constexpr double pi = 3.14159265358979323846;

TEST(PlayerLook, PitchIsWrappedAndClamped) {
  player p = fresh_player(0, 0, 0);
  key_state keys{};
  mouse_state mouse{};
  mouse.y_motion = -100;
  player_look(p, keys, 0.01, mouse);
  EXPECT_EQ(p.pitch, 90.0);

  p.pitch = 0;
  mouse.y_motion = -200;
  player_look(p, keys, 0.01, mouse);
  EXPECT_EQ(p.pitch, 270.0);

  p.pitch = 0;
  mouse.y_motion = 10;
  player_look(p, keys, 0.01, mouse);
  EXPECT_EQ(p.pitch, 350.0);

  p.pitch = 0;
  mouse.y_motion = -180;
  player_look(p, keys, 0.01, mouse);
  EXPECT_EQ(p.pitch, 180.0);

  // A flick of more than a circle is wrapped whole before the clamp.
  const std::pair<int, double> flicks[] = {{-850, 90.0}, {1000, 80.0}, {-1700, 270.0}};
  for (const auto& [motion, pitch] : flicks) {
    p.pitch = 0;
    mouse.y_motion = motion;
    player_look(p, keys, 0.01, mouse);
    EXPECT_EQ(p.pitch, pitch) << motion;
  }
}

TEST(PlayerLook, MouseTurnsByItsSpeedsWithoutTheTimeStep) {
  player p = fresh_player(0, 0, 0);
  p.mouse_speed_x = 0.5;
  p.mouse_speed_y = 2.0;
  key_state keys{};
  mouse_state mouse{};
  mouse.x_motion = 30;
  mouse.y_motion = -10;
  player_look(p, keys, 1.0, mouse);
  EXPECT_EQ(p.yaw, 345.0);
  EXPECT_EQ(p.pitch, 20.0);
  // More than a circle in a tick is wrapped whole.
  p.yaw = 10;
  mouse.x_motion = 0;
  mouse.y_motion = 0;
  p.mouse_speed_x = 1.0;
  mouse.x_motion = -730;
  player_look(p, keys, 1.0, mouse);
  EXPECT_EQ(p.yaw, 20.0);
  mouse.x_motion = 2000;
  player_look(p, keys, 1.0, mouse);
  EXPECT_EQ(p.yaw, 180.0);
}

TEST(PlayerPush, ForwardFromRestAtYawZero) {
  player p = fresh_player(0, 0.1, 0);
  test_tree tree;
  build_floor(tree);
  key_state keys{};
  keys.slots[char_slot('w')] = key_held;
  mouse_state mouse{};
  player_update(p, keys, tree.root, nullptr, 0.01, mouse);
  EXPECT_NEAR(p.accel[0], 0.0, 1e-12);
  EXPECT_EQ(p.accel[1], 0.0);
  EXPECT_EQ(p.accel[2], -28.0);
  EXPECT_DOUBLE_EQ(p.vel[2], -0.28);
  EXPECT_NEAR(p.vel[0], 0.0, 1e-12);
}

TEST(PlayerPush, ForwardAndBackwardTogether) {
  key_state keys{};
  keys.slots[char_slot('w')] = key_pressed;
  keys.slots[char_slot('s')] = key_held;

  player p = fresh_player(0, 0, 0);
  player_input(p, keys, 0.01);
  EXPECT_NEAR(p.accel[2], 0.0, 1e-12);

  // Moving backward already: the forward key is not opposed, the backward
  // key then is, and pushes double.
  p = fresh_player(0, 0, 0);
  p.vel[2] = 1.0;
  player_input(p, keys, 0.01);
  EXPECT_NEAR(p.accel[2], 28.0, 1e-12);

  p = fresh_player(0, 0, 0);
  p.vel[2] = -1.0;
  player_input(p, keys, 0.01);
  EXPECT_NEAR(p.accel[2], 0.0, 1e-12);
}

TEST(PlayerPush, AgainstTheMotionPushesDoubleAndHalfWhileJumping) {
  player p = fresh_player(0, 0, 0);
  p.vel[0] = -3.0;
  p.accel[0] = 1.0;
  player_push(p, key_held, 0.0);
  EXPECT_EQ(p.accel[0], 57.0);
  p.jumping = 1;
  p.accel[0] = 0.0;
  p.vel[0] = 0.0;
  player_push(p, key_pressed, pi / 2);
  EXPECT_NEAR(p.accel[2], 14.0, 1e-12);
  // Released or up keys push nothing.
  double before = p.accel[2];
  player_push(p, key_released, pi / 2);
  player_push(p, key_up, pi / 2);
  EXPECT_EQ(p.accel[2], before);
}

TEST(PlayerPush, MoveKeyHeadings) {
  key_state keys{};
  keys.slots[char_slot('d')] = key_held;
  player p = fresh_player(0, 0, 0);
  player_input(p, keys, 0.01);
  EXPECT_EQ(p.accel[0], 28.0);
  EXPECT_NEAR(p.accel[2], 0.0, 1e-12);

  keys = key_state{};
  keys.slots[char_slot('a')] = key_held;
  p = fresh_player(0, 0, 0);
  p.yaw = 90;  // facing -x: strafing left goes +z
  player_input(p, keys, 0.01);
  EXPECT_NEAR(p.accel[2], 28.0, 1e-12);
  EXPECT_NEAR(p.accel[0], 0.0, 1e-12);
}

TEST(PlayerInput, CrouchOnlyWhileHeld) {
  key_state keys{};
  player p = fresh_player(0, 0, 0);
  keys.slots[char_slot('c')] = key_pressed;
  player_input(p, keys, 0.01);
  EXPECT_EQ(p.crouch, 0);
  keys.slots[char_slot('c')] = key_held;
  player_input(p, keys, 0.01);
  EXPECT_EQ(p.crouch, 1);
  keys.slots[char_slot('c')] = key_released;
  player_input(p, keys, 0.01);
  EXPECT_EQ(p.crouch, 0);
}

TEST(PlayerInput, KeyLookTurnsByTheLookSpeed) {
  key_state keys{};
  player p = fresh_player(0, 0, 0);
  p.yaw = 100;
  keys.slots[key_slot_left] = key_released;  // any state but up turns
  player_input(p, keys, 0.5);
  EXPECT_EQ(p.yaw, 160.0);
  p.key_bindings[bind_look_key_speed] = 2;
  keys.slots[key_slot_left] = key_up;
  keys.slots[key_slot_right] = key_held;
  player_input(p, keys, 0.5);
  EXPECT_EQ(p.yaw, 40.0);
  // No wrap in the keyboard part.
  player_input(p, keys, 0.5);
  EXPECT_EQ(p.yaw, -80.0);
}

TEST(PlayerInput, JumpWindow) {
  key_state keys{};
  player p = fresh_player(0, 0, 0);
  p.on_ground = 1;
  // The first tick of a press does not count.
  keys.slots[key_slot_space] = key_pressed;
  player_input(p, keys, 0.05);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.accel[1], 0.0);
  EXPECT_EQ(p.jump_time, 0.0);

  keys.slots[key_slot_space] = key_held;
  p.accel[1] = 0;
  player_input(p, keys, 0.05);
  EXPECT_EQ(p.jumping, 1);
  EXPECT_EQ(p.accel[1], 48.0);
  p.accel[1] = 0;
  player_input(p, keys, 0.05);
  EXPECT_EQ(p.accel[1], 48.0);
  // Released early: no thrust, but still jumping until the window ends.
  keys.slots[key_slot_space] = key_released;
  p.accel[1] = 0;
  player_input(p, keys, 0.02);
  EXPECT_EQ(p.jumping, 1);
  EXPECT_EQ(p.accel[1], 0.0);
  player_input(p, keys, 0.05);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.on_ground, 0);
  // Without a landing, holding the key again does nothing.
  keys.slots[key_slot_space] = key_held;
  player_input(p, keys, 0.05);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.accel[1], 0.0);
}

TEST(PlayerInput, HoldingPastTheWindowEndsTheThrust) {
  key_state keys{};
  keys.slots[key_slot_space] = key_held;
  player p = fresh_player(0, 0, 0);
  p.on_ground = 1;
  p.jump_time = 0.14;
  player_input(p, keys, 0.02);
  EXPECT_EQ(p.jumping, 0);
  EXPECT_EQ(p.on_ground, 0);
  EXPECT_EQ(p.accel[1], 0.0);
}

entity* add_entity(entity* tail, int32_t type, int32_t state, double x, double y, double z) {
  entity* e = new entity{};
  e->type = type;
  e->state = state;
  e->pos[0] = x;
  e->pos[1] = y;
  e->pos[2] = z;
  tail->next = e;
  e->prev = tail;
  return e;
}

void free_list(entity* head) {
  while (head) {
    entity* next = head->next;
    delete head;
    head = next;
  }
}

TEST(PlayerContact, EnemiesAndDecorationsCloseBySlowThePlayer) {
  entity* head = entity_list_new_head();
  entity* tail = add_entity(head, 200, 1, 1.0, 0, 0);  // enemy at 1.0
  tail = add_entity(tail, 100, 0, 0, 1.2, 0);          // decoration at 1.2
  tail = add_entity(tail, 205, 8, 0.5, 0, 0);          // dead enemy
  tail = add_entity(tail, 210, 2, 0, 0, 1.5);          // exactly 1.5 away
  tail = add_entity(tail, 300, 0, 0.2, 0, 0);          // projectile
  tail = add_entity(tail, 400, 0, 0.2, 0, 0);          // pickup
  add_entity(tail, 99, 0, 0.2, 0, 0);

  player p = fresh_player(0, 0, 0);
  p.accel[0] = 16.0;
  p.accel[1] = -32.0;
  p.accel[2] = 1.0;
  player_contact_slowdown(p, head);
  EXPECT_EQ(p.accel[0], 1.0);
  EXPECT_EQ(p.accel[1], -2.0);
  EXPECT_EQ(p.accel[2], 1.0 / 16.0);
  free_list(head);
}

TEST(PlayerContact, ForwardNextToTwoEnemiesGetsOneSixteenth) {
  entity* head = entity_list_new_head();
  entity* tail = add_entity(head, 200, 1, 1.0, 0.1, 0);
  tail = add_entity(tail, 213, 3, -1.0, 0.1, 0);
  add_entity(tail, 201, 8, 0, 0.1, 1.0);
  test_tree tree;
  build_floor(tree);
  player p = fresh_player(0, 0.1, 0);
  key_state keys{};
  keys.slots[char_slot('w')] = key_held;
  player_update(p, keys, tree.root, head, 0.01, mouse_state{});
  EXPECT_EQ(p.accel[2], -28.0 / 16.0);
  free_list(head);
}

}  // namespace
