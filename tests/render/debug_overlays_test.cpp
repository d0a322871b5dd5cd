// The debug overlays: navigation links with their gap test points, the
// player's aim point and the firing enemies' shot ribbons.
#include "render/debug_overlays.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "base/entity.h"
#include "player/player.h"
#include "tests/render/gl_scene.h"
#include "tests/support/gl_context.h"
#include "world/ai_node.h"

namespace {

// The screen row of height y at 10 units ahead (fov 60, 256 pixels).
int row_at(double y) { return static_cast<int>(128 + y / (10 * 0.57735026919) * 128); }

// Whether any pixel of row `y` near the middle column is lit.
bool row_lit(int y, int channel) {
  for (int x = 120; x <= 136; ++x) {
    rgba c = read_pixel(x, y);
    int v = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
    if (v > 200) return true;
  }
  return false;
}

class Overlays : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_gl_context());
    reset_scene();
    look_down_minus_z();
  }
};

TEST(PlayerAimPoint, AheadAndStraightUp) {
  player p{};
  p.pos[0] = 1;
  p.pos[2] = 2;
  double point[3];
  player_aim_point(p, point);
  EXPECT_NEAR(point[0], 1.0, 1e-12);
  EXPECT_NEAR(point[1], 2.25, 1e-12);
  EXPECT_NEAR(point[2], 1.5, 1e-12);  // 0.5 along -z
  p.pitch = 90;
  p.crouch = 1;  // the standing height all the same
  player_aim_point(p, point);
  EXPECT_NEAR(point[0], 1.0, 1e-12);
  EXPECT_NEAR(point[1], 2.75, 1e-12);
  EXPECT_NEAR(point[2], 2.0, 1e-12);
}

TEST_F(Overlays, NavGraphLinksAndGapTestPoints) {
  ai_node a{0, -3, -10, 1, 2, nullptr, nullptr, nullptr};
  ai_node b{0, 3, -10, 2, 0, nullptr, nullptr, nullptr};
  ai_node* links[2] = {&b, nullptr};  // the second id matched no node
  a.links = links;
  a.next = &b;
  draw_nav_graph(&a);
  // Red squares at the seven test points, halving the link.
  for (double s : {0.5, 0.25, 0.75, 0.125, 0.375, 0.875, 0.625}) {
    rgba c = read_pixel(128, row_at(-3 + 6 * s));
    EXPECT_GT(c.r, 200) << "at " << s;
    EXPECT_LT(c.g, 50) << "at " << s;
  }
  // Between them the white ribbon shows.
  EXPECT_TRUE(row_lit(row_at(-3 + 6 * 0.0625 + 0.05), 1));
  GLdouble colour[4];
  glGetDoublev(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[1], 1.0);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(Overlays, EnemyAimOnlyWhileFiring) {
  entity head{};
  entity e{};
  head.next = &e;
  e.prev = &head;
  e.state = 9;
  e.pos[1] = -3;
  e.pos[2] = -10;
  e.aim_end[1] = 3;
  e.aim_end[2] = -10;
  draw_enemy_aim(&head);
  EXPECT_FALSE(row_lit(row_at(-1.5), 0));
  e.state = 10;
  draw_enemy_aim(&head);
  EXPECT_TRUE(row_lit(row_at(-1.5), 0));
  EXPECT_TRUE(row_lit(row_at(-1.5), 1));
}

TEST_F(Overlays, EmptyListsDrawNothing) {
  draw_nav_graph(nullptr);
  draw_enemy_aim(nullptr);
  EXPECT_EQ(read_pixel(128, 128).r, 0);
}

}  // namespace
