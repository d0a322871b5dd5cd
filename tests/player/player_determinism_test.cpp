// The same input from the same start gives the same player, to the last bit.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "config/keyboard_poll.h"
#include "player/player_update.h"
#include "tests/player/player_test_support.h"
#include "tests/player/test_trees.h"

namespace {

int script_tick = 0;
int script_variant = 0;

// Which keys are down in the scripted tick: walking, strafing, turning by
// keys and jumping, overlapping.
bool scripted_key_down(int vk) {
  int t = script_tick;
  switch (vk) {
    case 'W':
      return t < 200 || (t > 420 && t < 560);
    case 'D':
      return t > 100 && t < 300;
    case 'A':
      return t > 320 + 3 * script_variant && t < 500;
    case 'S':
      return t > 530 && t < 580;
    case vk_space:
      return (t > 150 && t < 170) || (t > 400 && t < 420);
    case vk_left:
      return t > 250 && t < 280;
    case vk_right:
      return t > 440 && t < 450;
    default:
      return false;
  }
}

struct snapshot {
  double pos[3];
  double vel[3];
  double yaw;
  double pitch;
  double jump_time;
  int32_t on_ground;
  int32_t jumping;
};

std::vector<snapshot> run_script(int variant) {
  test_tree tree;
  build_room(tree);
  player p = fresh_player(0, 0.1, 0);
  key_state keys{};
  script_variant = variant;
  std::vector<snapshot> trail;
  for (script_tick = 0; script_tick < 600; ++script_tick) {
    poll_keyboard(keys, scripted_key_down);
    mouse_state mouse{};
    mouse.x_motion = (script_tick * 7) % 11 - 5;
    mouse.y_motion = (script_tick * 3) % 7 - 3;
    player_update(p, keys, tree.root, nullptr, 1.0 / 60.0, mouse);
    snapshot s{};
    memcpy(s.pos, p.pos, sizeof s.pos);
    memcpy(s.vel, p.vel, sizeof s.vel);
    s.yaw = p.yaw;
    s.pitch = p.pitch;
    s.jump_time = p.jump_time;
    s.on_ground = p.on_ground;
    s.jumping = p.jumping;
    trail.push_back(s);
  }
  return trail;
}

TEST(PlayerDeterminism, SameInputSameTrailToTheLastBit) {
  std::vector<snapshot> first = run_script(0);
  std::vector<snapshot> second = run_script(0);
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i)
    ASSERT_EQ(memcmp(&first[i], &second[i], sizeof(snapshot)), 0) << "tick " << i;

  // The script really moves the player, and keeps it inside the room.
  const snapshot& last = first.back();
  double moved = 0;
  for (const snapshot& s : first) moved += s.vel[0] * s.vel[0] + s.vel[2] * s.vel[2];
  EXPECT_GT(moved, 1000.0);
  EXPECT_GT(last.pos[0], -10.0);
  EXPECT_LT(last.pos[0], 10.0);
  EXPECT_GT(last.pos[2], -10.0);
  EXPECT_LT(last.pos[2], 10.0);
  EXPECT_GT(last.pos[1], 0.0);

  // One tick more of one key changes where the player ends up.
  std::vector<snapshot> other = run_script(1);
  EXPECT_NE(memcmp(&first.back(), &other.back(), sizeof(snapshot)), 0);
}

}  // namespace
