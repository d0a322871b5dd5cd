// Routes and node queries over hand-made navigation graphs, bad ones included.
#include "entities/ai_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/config_table.h"
#include "entities/enemy_context.h"
#include "entities/enemy_nav_states.h"
#include "player/player.h"
#include "tests/entities/enemy_arena.h"
#include "tests/support/capture_stdout.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"
#include "world/level_lists_free.h"

namespace {

// Nodes with the given ids at x = 10 * index, linked as `links` says (by id,
// both ways not implied); links resolve like the level reader's.
struct graph {
  std::vector<ai_node*> nodes;
  ai_node* head() const { return nodes.empty() ? nullptr : nodes[0]; }
  graph(const std::vector<int>& ids, const std::vector<std::vector<int>>& links) {
    for (size_t i = 0; i < ids.size(); ++i) {
      ai_node* a = new ai_node{};
      a->id = ids[i];
      a->x = 10.0 * static_cast<double>(i);
      a->link_count = static_cast<int32_t>(links[i].size());
      a->link_ids = new int32_t[links[i].size() + 1];
      for (size_t j = 0; j < links[i].size(); ++j) a->link_ids[j] = links[i][j];
      if (!nodes.empty()) nodes.back()->next = a;
      nodes.push_back(a);
    }
    for (ai_node* a : nodes) {
      a->links = new ai_node*[static_cast<size_t>(a->link_count) + 1]();
      for (int32_t j = 0; j < a->link_count; ++j)
        for (ai_node* b : nodes)
          if (b->id == a->link_ids[j]) {
            a->links[j] = b;
            break;
          }
    }
  }
  ~graph() {
    if (head()) ai_nodes_free(head());
  }
};

// A chain 0 - 1 - ... - (n-1), linked both ways.
graph chain(int n) {
  std::vector<int> ids;
  std::vector<std::vector<int>> links;
  for (int i = 0; i < n; ++i) {
    ids.push_back(i);
    std::vector<int> l;
    if (i > 0) l.push_back(i - 1);
    if (i + 1 < n) l.push_back(i + 1);
    links.push_back(l);
  }
  return graph(ids, links);
}

std::vector<int> route(const int32_t* path, int32_t length) { return std::vector<int>(path, path + length); }

TEST(FindPath, RoutesAlongTheLinksAndFillsTheRest) {
  graph g({0, 1, 2, 3, 4, 5}, {{1}, {0, 2, 5}, {1, 3}, {2, 4}, {3}, {1}});
  int32_t length = -1;
  int32_t* path = find_path(g.head(), 0, 4, &length);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(route(path, length), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(path[5], path_filler);
  delete[] path;

  path = find_path(g.head(), 3, 3, &length);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(route(path, length), (std::vector<int>{3}));
  delete[] path;

  // A dead end is backed out of: from 5 the walk goes 5 - 1, tries 0, then 2.
  path = find_path(g.head(), 5, 4, &length);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path[length - 1], 4);
  EXPECT_EQ(path[0], 5);
  delete[] path;
}

TEST(FindPath, FailsSafelyOnUnreachableGoalsAndBadIds) {
  // Two islands: 0 - 1 and 2 - 3; node 1 also links to an id no node has.
  graph g({0, 1, 2, 3}, {{1}, {0, 42, -7}, {3}, {2}});
  int32_t length = 1234;
  EXPECT_EQ(find_path(g.head(), 0, 3, &length), nullptr);
  for (int bad : {-1, 4, 9999, -2147483647}) EXPECT_EQ(find_path(g.head(), bad, 1, &length), nullptr) << bad;
  EXPECT_EQ(find_path(g.head(), 0, 4, &length), nullptr);
  EXPECT_EQ(find_path(nullptr, 0, 0, &length), nullptr);
  EXPECT_EQ(length, 1234) << "a failed search leaves the length alone";

  // Ids repeated: 1 twice and no 2; nothing reads outside the arrays.
  graph d({0, 1, 1}, {{1}, {0, 2}, {0}});
  EXPECT_EQ(find_path(d.head(), 0, 2, &length), nullptr);
}

TEST(FindPath, GivesUpAfterAHundredRounds) {
  graph g = chain(150);
  int32_t length = 0;
  int32_t* near = find_path(g.head(), 0, 100, &length);
  ASSERT_NE(near, nullptr);
  EXPECT_EQ(length, 101);
  delete[] near;
  EXPECT_EQ(find_path(g.head(), 0, 101, &length), nullptr);

  // A link longer than 9999 units is never taken.
  graph far({0, 1}, {{1}, {0}});
  far.nodes[1]->x = 20000.0;
  EXPECT_EQ(find_path(far.head(), 0, 1, &length), nullptr);
}

TEST(NodeQueries, NearestVisibleAndHiddenNodes) {
  bsp_node open{};  // no planes: every point is empty
  bsp_node solid{};
  solid.is_leaf = 1;
  solid.contents = 1;                // every point is solid
  graph g({2, 0, 1}, {{}, {}, {}});  // at x 0, 10, 20
  const double q[3] = {12.0, 0.0, 0.0};
  EXPECT_EQ(find_nearest_visible_node(g.head(), &open, q), 0);  // x 10
  const double middle[3] = {15.0, 0.0, 0.0};
  EXPECT_EQ(find_nearest_visible_node(g.head(), &open, middle), 0) << "equal distances: the lowest id";
  EXPECT_EQ(find_nearest_visible_node(g.head(), &solid, q), 0) << "none visible";
  EXPECT_EQ(find_nearest_visible_node(nullptr, &open, q), 0);
  EXPECT_EQ(find_hidden_node(g.head(), &open, q), -1);
  EXPECT_EQ(find_hidden_node(g.head(), &solid, q), 2) << "the first in list order";
  EXPECT_EQ(ai_node_count(g.head()), 3);
  EXPECT_EQ(ai_node_count(nullptr), 0);
}

// A route index that has run past the array, or an array that is gone,
// sends the enemy to wait instead of reading outside it.
TEST(NodeQueries, FollowingABrokenRouteGoesIdle) {
  graph g = chain(3);
  bsp_node solid{};
  solid.is_leaf = 1;
  solid.contents = 1;
  config_table table{};
  set_config_defaults(table);
  player p{};
  player_init(p, table);
  entity e{};
  e.type = ent_mob2;
  e.state = s_follow_path;
  int32_t length = 0;
  e.path = find_path(g.head(), 0, 2, &length);
  e.path_len = length;
  enemy_context c{p, &solid, g.head(), &e, 1.0 / 60.0};
  for (int pos : {3, 40, -1}) {
    e.state = s_follow_path;
    e.path_pos = pos;
    capture_stdout_begin();
    enemy_states::s_follow_path(e, c);
    std::string log = capture_stdout_end();
    EXPECT_EQ(e.state, s_idle) << pos;
    EXPECT_EQ(e.path_pos, 0);
    EXPECT_TRUE(lines_in_order(log, {"invalid target when finding node -1\n", "path idx "})) << log;
  }
  delete[] e.path;
  e.path = nullptr;
  e.state = s_follow_path;
  capture_stdout_begin();
  enemy_states::s_follow_path(e, c);
  capture_stdout_end();
  EXPECT_EQ(e.state, s_idle);
}

}  // namespace

namespace {

// The nearest-node query tests the nearest nodes first and stops early; on
// a walled level it must agree everywhere with testing every node.
int nearest_by_testing_all(ai_node* list, const bsp_node* root, const double q[3]) {
  int best_id = 0;
  double best = 0.0;
  const int n = ai_node_count(list);
  for (int i = 0; i < n; ++i) {
    const ai_node* node = list;
    while (node && node->id != i) node = node->next;
    double value = 9999.0;
    if (node) {
      const double at[3] = {node->x, node->y, node->z};
      if (bsp_segment_clear(q, at, root) == 1)
        value = std::sqrt((at[0] - q[0]) * (at[0] - q[0]) + (at[1] - q[1]) * (at[1] - q[1]) +
                          (at[2] - q[2]) * (at[2] - q[2]));
    }
    if (i == 0 || value < best) {
      best = value;
      best_id = i;
    }
  }
  return best_id;
}

TEST(NodeQueries, NearestVisibleAgreesWithTestingEveryNode) {
  arena a;
  ASSERT_TRUE(a.build({"#######################", "#.....L.......#.......#", "#.P...........#...L...#",
                       "#......###....#.......#", "#######.......#.......#", "#.............#.......#",
                       "#..L..........#.......#", "#.....................#", "#######################"}));
  int compared = 0;
  for (double x = -4.0; x < 50.0; x += 1.7)
    for (double z = -4.0; z < 22.0; z += 1.3)
      for (double y : {0.0, 1.0, 7.5}) {
        const double q[3] = {x, y, z};
        ASSERT_EQ(find_nearest_visible_node(a.map.nodes, a.map.root, q),
                  nearest_by_testing_all(a.map.nodes, a.map.root, q))
            << x << " " << y << " " << z;
        ++compared;
      }
  EXPECT_GT(compared, 1000);
}

}  // namespace
