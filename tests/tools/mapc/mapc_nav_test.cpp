// The navigation graph read back by the game: ids, links that an enemy can walk, routes around walls.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "tests/tools/mapc/route_search.h"
#include "world/ai_node.h"
#include "world/bsp_query.h"

namespace {

// The game's floor-gap test on the game's tree.
bool gap_between(const bsp_node* root, const ai_node* a, const ai_node* b) {
  const double s[7] = {0.5, 0.25, 0.75, 0.125, 0.375, 0.875, 0.625};
  for (double k : s) {
    double p[3] = {a->x + k * (b->x - a->x), a->y + k * (b->y - a->y) - 0.5, a->z + k * (b->z - a->z)};
    if (bsp_segment_clear(p, p, root)) return true;
  }
  return false;
}

class MapcNav : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

// A room split by a long wall from the north; the only way round is at the south end.
const char* wall_room =
    "grid\n"
    "###########\n"
    "#....#....#\n"
    "#....#....#\n"
    "#.P..#..E.#\n"
    "#....#....#\n"
    "#....#....#\n"
    "#.........#\n"
    "###########\n"
    "end\n";

TEST_F(MapcNav, LinksGoRoundTheWallAndPassTheEnemyTests) {
  mapc_source src;
  mapc_result r;
  mapc_log log;
  ASSERT_TRUE(compile_text(std::string(small_room_head) + wall_room, "wall.lvl", src, r, log))
      << (log.errors.empty() ? "" : log.errors[0]);
  loaded_map m;
  load_map_text(r.text, m);
  ASSERT_FALSE(m.failed) << m.log;
  int n = loaded_node_count(m);
  ASSERT_GE(n, 3);
  int id = 0, west = -1, east = -1;
  for (const ai_node* a = m.nodes; a; a = a->next, ++id) {
    EXPECT_EQ(a->id, id);
    EXPECT_DOUBLE_EQ(a->y, 0);
    if (a->x < 10 && a->z < 8 && west < 0) west = a->id;
    if (a->x > 12 && a->z < 8 && east < 0) east = a->id;
    for (int i = 0; i < a->link_count; ++i) {
      const ai_node* b = a->links[i];
      ASSERT_NE(b, nullptr);
      double ea[3] = {a->x, a->y + 1.5, a->z}, eb[3] = {b->x, b->y + 1.5, b->z};
      EXPECT_EQ(bsp_segment_clear(ea, eb, m.root), 1) << a->id << " -> " << b->id;
      EXPECT_FALSE(gap_between(m.root, a, b)) << a->id << " -> " << b->id;
      EXPECT_FALSE((a->x < 10 && b->x > 12 && std::max(a->z, b->z) < 12)) << "a link crosses the wall";
    }
  }
  ASSERT_GE(west, 0);
  ASSERT_GE(east, 0);
  // The game's route search finds a way from one side to the other, round the south end.
  std::vector<int> route = route_search(m.nodes, west, east);
  ASSERT_FALSE(route.empty());
  bool went_south = false;
  for (int i : route) {
    const ai_node* a = ai_node_at(m.nodes, i);
    ASSERT_NE(a, nullptr);
    if (a->z > 12) went_south = true;
  }
  EXPECT_TRUE(went_south);
  free_loaded_map(m);
}

TEST_F(MapcNav, StepsUnderTheClimbAreLinkedAndALedgeIsNot) {
  // An open floor with a 0.5 step and a ledge 3 units high to the east.
  std::string text = std::string(small_room_head) +
                     "kind step 0.5 4 floor_tiles ceiling_panel metal_wall\n"
                     "kind ledge 3 6 floor_tiles ceiling_panel metal_wall\n"
                     "key s step\nkey h ledge\n"
                     "grid\n##########\n#P..sshhh#\n#...sshhh#\n#...sshhh#\n#E..sshhh#\n##########\nend\n";
  mapc_source src;
  mapc_result r;
  mapc_log log;
  ASSERT_TRUE(compile_text(text, "steps.lvl", src, r, log)) << (log.errors.empty() ? "" : log.errors[0]);
  bool step_link = false, ledge_link = false, ledge_node = false;
  for (const mapc_nav_node& a : r.nav) {
    if (a.pos.y == 3) ledge_node = true;
    for (int l : a.links) {
      const mapc_vec& b = r.nav[l].pos;
      if ((a.pos.y == 0 && b.y == 0.5) || (a.pos.y == 0.5 && b.y == 0)) step_link = true;
      if (std::fabs(a.pos.y - b.y) > 1.0) ledge_link = true;
    }
  }
  EXPECT_TRUE(step_link);
  EXPECT_TRUE(ledge_node);
  EXPECT_FALSE(ledge_link);
}

}  // namespace
