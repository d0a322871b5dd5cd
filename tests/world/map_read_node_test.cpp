// The tree reader: log lines, keyword slots, texture lookup and rejections.
#include "world/map_read_node.h"

#include <gtest/gtest.h>

#include "base/texture_table.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "tests/world/map_text.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/world_texture.h"

namespace {

// A wall quad with a 2 x 2 light grid, as the start of an inner node after "NODE 0 0 CONT".
const char* quad_polygon =
    " 5 0 0 1 VERT 4 0 0 0 0 0  0 1 0 0 1  1 1 0 1 1  1 0 0 1 0"
    " INDS 6 0 1 2 0 2 3 LIGHT 2 2 1 2 3 4 ";

struct read_result {
  bsp_node* root;
  std::string log;
  bool failed;
};

read_result read_tree(const std::string& text, const texture_table& table) {
  map_text map(text);
  bsp_node* root = new bsp_node{};
  capture_stdout_begin();
  map_read_node(map.stream, root, table);
  std::string log = capture_stdout_end();
  return {root, log, map.stream.failed != 0};
}

texture_table table_with_default(uint32_t default_texture) {
  texture_table table{};
  table.slots[tex_default_world] = default_texture;
  return table;
}

class MapReadNode : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

TEST_F(MapReadNode, LeafLogsItsLinesInOrder) {
  read_result r = read_tree("NODE 1 0 END", table_with_default(9));
  EXPECT_FALSE(r.failed);
  std::string missing;
  EXPECT_TRUE(lines_in_order(r.log,
                             {"found header\n", "new node\n", "scanned\n", "atoi sucess\n", "scanned 1 0\n",
                              "scanned a header END\n", "end of branch\n"},
                             &missing))
      << missing << "\n"
      << r.log;
  EXPECT_EQ(r.root->is_leaf, 1);
  EXPECT_EQ(r.root->contents, 0);
  EXPECT_EQ(r.root->poly, nullptr);
  EXPECT_EQ(r.root->front, nullptr);
  bsp_free(r.root);
}

TEST_F(MapReadNode, InnerNodeLogsEveryBlock) {
  std::string text = std::string("NODE 0 0 CONT") + quad_polygon + "FRONT NODE 1 0 END BACK NODE 1 1 END RET";
  read_result r = read_tree(text, table_with_default(9));
  ASSERT_FALSE(r.failed) << r.log;
  std::string missing;
  EXPECT_TRUE(lines_in_order(r.log,
                             {"found header\n",
                              "new node\n",
                              "scanned\n",
                              "atoi sucess\n",
                              "scanned 0 0\n",
                              "scanned a header CONT\n",
                              "getting polygon data\n",
                              "texid = 5\n",
                              "testing: 0.000000 0.000000 0.000000 0.000000 0.000000\n",
                              "testing: 1.000000 0.000000 0.000000 1.000000 0.000000\n",
                              "got str INDS\n",
                              "got numbder 6\n",
                              "test 0\n",
                              "test 3\n",
                              "doing light\n",
                              "about to set the array\n",
                              "Freed memory!\n",
                              "found header\n",
                              "scanned 1 0\n",
                              "end of branch\n",
                              "found header\n",
                              "scanned 1 1\n",
                              "end of branch\n",
                              "retnormal\n"},
                             &missing))
      << missing << "\n"
      << r.log;
  EXPECT_EQ(count_occurrences(r.log, "testing: "), 4);
  EXPECT_EQ(count_occurrences(r.log, "test "), 6);
  const bsp_polygon* poly = r.root->poly;
  ASSERT_NE(poly, nullptr);
  EXPECT_EQ(poly->vert_count, 4);
  EXPECT_EQ(poly->index_count, 6);
  EXPECT_EQ(poly->indices[5], 3);
  EXPECT_DOUBLE_EQ(poly->verts[2].y, 1.0);
  EXPECT_DOUBLE_EQ(poly->normal[2], 1.0);
  EXPECT_EQ(poly->light_rows, 2);
  EXPECT_NE(poly->light_texture, 0u);
  EXPECT_EQ(poly->texture, 9u);  // no world texture list: the default
  ASSERT_NE(r.root->back, nullptr);
  EXPECT_EQ(r.root->back->contents, 1);
  EXPECT_EQ(r.root->front->contents, 0);
  bsp_free(r.root);
}

TEST_F(MapReadNode, IndsSlotHoldingLightLosesTheToken) {
  // "LIGHT" in the index slot is used up there, so the light slot sees "2".
  std::string text =
      "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 LIGHT 2 2 1 2 3 4 "
      "FRONT NODE 1 0 END BACK NODE 1 1 END RET";
  read_result r = read_tree(text, table_with_default(9));
  EXPECT_EQ(count_occurrences(r.log, "got str INDS"), 0);
  EXPECT_EQ(count_occurrences(r.log, "doing light"), 0);
  const bsp_polygon* poly = r.root->poly;
  ASSERT_NE(poly, nullptr);
  EXPECT_EQ(poly->index_count, 0);
  EXPECT_EQ(poly->light_rows, 0);
  EXPECT_EQ(poly->light_texture, 0u);
  // The rest of the grid is read as the child slots: "2" is no keyword,
  // so neither child is read and "1" is taken as the closing token.
  EXPECT_EQ(r.root->front->is_leaf, 1);
  EXPECT_EQ(r.root->front->contents, 0);
  EXPECT_TRUE(lines_in_order(r.log, {"defaulted to return, invalid starting header\n"}));
  bsp_free(r.root);

  // With a second "LIGHT" after the lost one, the light block is read.
  read_result again = read_tree(
      "NODE 0 0 CONT -1 0 1 0 VERT 4 0 0 0 0 0 0 1 0 0 0 1 1 0 0 0 1 0 0 0 0 LIGHT LIGHT 2 2 1 2 3 4 "
      "FRONT NODE 1 0 END BACK NODE 1 1 END RET",
      table_with_default(9));
  ASSERT_FALSE(again.failed) << again.log;
  EXPECT_EQ(again.root->poly->index_count, 0);
  EXPECT_EQ(again.root->poly->light_rows, 2);
  EXPECT_EQ(count_occurrences(again.log, "doing light\n"), 1);
  EXPECT_EQ(count_occurrences(again.log, "retnormal\n"), 1);
  bsp_free(again.root);
}

TEST_F(MapReadNode, StrayTokenInSecondChildSlotLeavesBackAsEmptySpace) {
  std::string text = "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X X FRONT NODE 1 1 END X RET";
  read_result r = read_tree(text, table_with_default(9));
  ASSERT_FALSE(r.failed) << r.log;
  EXPECT_TRUE(lines_in_order(r.log, {"end of branch\n", "retnormal\n", "an inner node has no back child"}))
      << r.log;
  ASSERT_NE(r.root->front, nullptr);
  EXPECT_EQ(r.root->front->contents, 1);
  ASSERT_NE(r.root->back, nullptr);  // the empty leaf given in its place
  EXPECT_EQ(r.root->back->is_leaf, 1);
  EXPECT_EQ(r.root->back->contents, 0);
  bsp_free(r.root);
}

TEST_F(MapReadNode, StrayTokenInFirstChildSlotMeansNoChildren) {
  std::string text = "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X X STRAY RET";
  read_result r = read_tree(text, table_with_default(9));
  ASSERT_FALSE(r.failed) << r.log;
  EXPECT_EQ(count_occurrences(r.log, "retnormal\n"), 1);
  EXPECT_EQ(r.root->front->is_leaf, 1);
  EXPECT_EQ(r.root->back->is_leaf, 1);
  bsp_free(r.root);
}

TEST_F(MapReadNode, BackChildFirstThenFront) {
  std::string text = "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X X BACK NODE 1 7 END FRONT NODE 1 0 END RET";
  read_result r = read_tree(text, table_with_default(9));
  ASSERT_FALSE(r.failed) << r.log;
  EXPECT_EQ(r.root->back->contents, 7);
  EXPECT_EQ(r.root->front->contents, 0);
  bsp_free(r.root);
}

TEST_F(MapReadNode, WrongClosingTokenKeepsTheNode) {
  std::string text = "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X X FRONT NODE 1 0 END BACK NODE 1 1 END NOPE";
  read_result r = read_tree(text, table_with_default(9));
  EXPECT_FALSE(r.failed);
  EXPECT_TRUE(lines_in_order(
      r.log, {"end of branch\n", "end of branch\n", "defaulted to return, invalid starting header\n"}));
  EXPECT_EQ(r.root->back->contents, 1);
  bsp_free(r.root);
}

TEST_F(MapReadNode, TexidResolvesFromTheIdOneEntryOnwards) {
  world_texture second{};
  second.id = 2;
  second.texture = 22;
  world_texture first{};
  first.id = 1;
  first.texture = 11;
  world_texture third{};
  third.id = 3;
  third.texture = 33;
  // Listed as 2, 1, 3: the table holds the id-1 entry, so id 2 is behind it.
  second.next = &first;
  first.prev = &second;
  first.next = &third;
  third.prev = &first;
  texture_table table = table_with_default(9);
  table.world_textures = &first;
  const char* tail = " 0 1 0 VERT 1 0 0 0 0 0 X X FRONT NODE 1 0 END BACK NODE 1 1 END RET";
  const std::pair<int, uint32_t> cases[] = {{3, 33}, {1, 11}, {2, 9}, {7, 9}, {-1, 9}};
  for (const auto& c : cases) {
    read_result r = read_tree("NODE 0 0 CONT " + std::to_string(c.first) + tail, table);
    ASSERT_NE(r.root->poly, nullptr);
    EXPECT_EQ(r.root->poly->texture, c.second) << "texid " << c.first;
    bsp_free(r.root);
  }
}

// Each of these files would leave something a query, a draw or the reader
// itself cannot use safely; each is refused with a line naming the file.
TEST_F(MapReadNode, MalformedTreesAreRejected) {
  const char* poly1 = " -1 0 1 0 VERT 1 0 0 0 0 0 X X ";
  const std::pair<std::string, const char*> cases[] = {
      {"", "the file ends inside a record"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 4 0 0 0 0", "the file ends inside a record"},
      {std::string("NODE 0 0 CONT") + poly1 + "FRONT NODE 1 0 END BACK NODE 1 1 END", "ends inside a record"},
      {"TREE 1 0 END", "an inner node has no polygon"},
      {"NODE 0 0 END", "an inner node has no polygon"},
      {"NODE 0 0 ODD", "an inner node has no polygon"},
      {std::string("NODE 0 0 CONT") + poly1 + "FRONT GARBAGE RET", "an inner node has no polygon"},
      {"NODE 0 0 CONT -1 0 1 0 X X X FRONT NODE 1 0 END BACK NODE 1 1 END RET", "polygon has no vertices"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 0 X X FRONT NODE 1 0 END BACK NODE 1 1 END RET",
       "polygon has no vertices"},
      {"NODE 0 0 CONT -1 0 1 0 VERT -3 X X", "a polygon has -3 vertices"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 999999999 0", "a polygon has 999999999 vertices"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 INDS -1", "a polygon has -1 indices"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X LIGHT 1 4 0 0 0 0", "a light grid of 1 x 4"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X LIGHT 3 0", "a light grid of 3 x 0"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X LIGHT 5000 2", "a light grid of 5000 x 2"},
      {"NODE 0 0 CONT -1 0 1 0 VERT 3 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 X LIGHT 2 2 0 0 0 0"
       " FRONT NODE 1 0 END BACK NODE 1 1 END RET",
       "a light-mapped polygon has 3 vertices"},
      {"NODE 1 0 " + std::string(50, 'E'), "a token is longer than 49 characters"},
  };
  for (const auto& c : cases) {
    read_result r = read_tree(c.first, table_with_default(9));
    EXPECT_TRUE(r.failed) << c.first;
    EXPECT_NE(r.log.find("map \"test.t3bsp\" rejected: "), std::string::npos) << c.first << "\n" << r.log;
    EXPECT_NE(r.log.find(c.second), std::string::npos) << c.first << "\n" << r.log;
    EXPECT_EQ(count_occurrences(r.log, "rejected"), 1) << c.first;
    bsp_free(r.root);
  }
}

TEST_F(MapReadNode, LeafWithATokenOfFortyNineCharactersIsFine) {
  read_result r = read_tree("NODE 1 0 END" + std::string(" ") + std::string(49, 'x'), table_with_default(9));
  EXPECT_FALSE(r.failed);
  bsp_free(r.root);
  read_result r2 = read_tree("NODE 1 " + std::string(49, '7') + " END", table_with_default(9));
  EXPECT_FALSE(r2.failed);
  EXPECT_EQ(r2.root->contents, INT32_MAX);  // clamped, not overflowed
  bsp_free(r2.root);
}

// A tree nested as deep as the limit still reads; one level more is refused
// before the stack is at risk.
std::string nested_tree(int depth) {
  std::string text;
  for (int i = 0; i < depth - 1; ++i) text += "NODE 0 0 CONT -1 0 1 0 VERT 1 0 0 0 0 0 X X BACK ";
  text += "NODE 1 1 END";
  for (int i = 0; i < depth - 1; ++i) text += " X RET";  // X fills the second child slot
  return text;
}

TEST_F(MapReadNode, NestingIsBoundedByTheDepthLimit) {
  read_result deep = read_tree(nested_tree(map_max_tree_depth), table_with_default(9));
  EXPECT_FALSE(deep.failed) << deep.log.substr(deep.log.find("rejected"), 80);
  bsp_free(deep.root);
  read_result too_deep = read_tree(nested_tree(map_max_tree_depth + 1), table_with_default(9));
  EXPECT_TRUE(too_deep.failed);
  EXPECT_NE(too_deep.log.find("nested deeper than 4096 levels"), std::string::npos);
  bsp_free(too_deep.root);
}

}  // namespace
