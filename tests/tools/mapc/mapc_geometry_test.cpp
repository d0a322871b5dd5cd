// The surface of a union of boxes, the tree's leaves, and the compiled file read back by the game.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/bsp_build.h"
#include "tools/mapc/csg.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"

namespace {

mapc_brush box(double x0, double y0, double z0, double x1, double y1, double z1) {
  mapc_box b{{x0, y0, z0}, {x1, y1, z1}, {"a", "a", "a", "a", "a", "a"}, 0, 0, 1};
  return mapc_box_brush(b);
}

double area_facing(const std::vector<mapc_face>& faces, int axis, int dir) {
  double a = 0;
  for (const mapc_face& f : faces)
    if (f.plane.axis == axis && f.plane.n[axis] == dir) a += mapc_winding_area(f.w);
  return a;
}

bool inside_any(const std::vector<mapc_brush>& boxes, const double p[3]) {
  for (const mapc_brush& b : boxes)
    if (p[0] > b.lo[0] && p[0] < b.hi[0] && p[1] > b.lo[1] && p[1] < b.hi[1] && p[2] > b.lo[2] &&
        p[2] < b.hi[2])
      return true;
  return false;
}

TEST(MapcCsg, TouchingAndBuriedFacesAreDropped) {
  // Two 2 x 2 x 2 boxes side by side and a small box buried in the first.
  std::vector<mapc_brush> boxes{box(0, 0, 0, 2, 2, 2), box(2, 0, 0, 4, 2, 2), box(0.5, 0.5, 0.5, 1, 1, 1)};
  std::vector<mapc_face> faces = mapc_csg_faces(boxes);
  EXPECT_DOUBLE_EQ(area_facing(faces, 0, 1), 4);   // only the far +x end
  EXPECT_DOUBLE_EQ(area_facing(faces, 0, -1), 4);  // only the far -x end
  EXPECT_DOUBLE_EQ(area_facing(faces, 1, 1), 8);   // the whole top, once
  EXPECT_DOUBLE_EQ(area_facing(faces, 2, 1), 8);
  for (const mapc_face& f : faces)
    EXPECT_FALSE(f.plane.axis == 0 && std::fabs(f.plane.d) == 2) << "the shared wall is inside";
}

TEST(MapcCsg, CoplanarOverlappingFacesAppearOnce) {
  // Two overlapping boxes with the same top: the top's area is that of the union.
  std::vector<mapc_brush> boxes{box(0, 0, 0, 3, 1, 2), box(2, 0, 0, 5, 1, 2)};
  std::vector<mapc_face> faces = mapc_csg_faces(boxes);
  EXPECT_DOUBLE_EQ(area_facing(faces, 1, 1), 10);
  EXPECT_DOUBLE_EQ(area_facing(faces, 1, -1), 10);
  EXPECT_DOUBLE_EQ(area_facing(faces, 2, 1), 5);
}

// A hollow room (walls, floor and ceiling as six boxes) with a pillar and a ledge.
std::vector<mapc_brush> room_boxes() {
  return {box(-1, -1, -1, 11, 0, 9), box(-1, 4, -1, 11, 5, 9), box(-1, 0, -1, 0, 4, 9),
          box(10, 0, -1, 11, 4, 9),  box(0, 0, -1, 10, 4, 0),  box(0, 0, 8, 10, 4, 9),
          box(4, 0, 3, 5, 4, 5),     box(7, 0, 0, 10, 1.5, 3)};
}

TEST(MapcBsp, EveryLeafIsSolidExactlyWhereABoxIs) {
  std::vector<mapc_brush> boxes = room_boxes();
  mapc_tree tree = mapc_bsp_build(mapc_csg_faces(boxes));
  srand(5);
  for (int i = 0; i < 20000; ++i) {
    double p[3] = {-3 + 16.0 * rand() / RAND_MAX, -3 + 10.0 * rand() / RAND_MAX,
                   -3 + 14.0 * rand() / RAND_MAX};
    ASSERT_EQ(mapc_point_solid(tree, p), inside_any(boxes, p)) << p[0] << " " << p[1] << " " << p[2];
  }
  EXPECT_GT(tree.depth, 3);
  EXPECT_LT(tree.depth, static_cast<int>(tree.faces.size()));
}

const char* room_grid =
    "grid\n"
    "#######\n"
    "#.....#\n"
    "#.P#L.#\n"
    "#..#..#\n"
    "#....E#\n"
    "#######\n"
    "end\n";

TEST(MapcRoundTrip, GameReaderLoadsTheFileWithCountsAndLeaves) {
  ASSERT_TRUE(test_gl_context());
  mapc_source src;
  mapc_result r;
  mapc_log log;
  ASSERT_TRUE(compile_text(std::string(small_room_head) + room_grid, "room.lvl", src, r, log))
      << (log.errors.empty() ? "" : log.errors[0]);
  loaded_map m;
  load_map_text(r.text, m);
  EXPECT_FALSE(m.failed) << m.log;
  EXPECT_EQ(m.log.find("defaulted to return"), std::string::npos);
  EXPECT_EQ(loaded_node_count(m), static_cast<int>(r.nav.size()));
  EXPECT_EQ(loaded_entity_count(m, -1), 2);
  EXPECT_EQ(loaded_entity_count(m, 1), 1);
  EXPECT_EQ(loaded_entity_count(m, 2), 1);
  // Count the tree as read: inner nodes carry quads with a grid of at least 4 x 4.
  int inner = 0, leaves = 0;
  std::vector<const bsp_node*> stack{m.root};
  while (!stack.empty()) {
    const bsp_node* n = stack.back();
    stack.pop_back();
    if (n->is_leaf) {
      ++leaves;
      continue;
    }
    ++inner;
    ASSERT_NE(n->poly, nullptr);
    EXPECT_EQ(n->poly->vert_count, 4);
    EXPECT_GE(n->poly->light_rows, 4);
    EXPECT_GE(n->poly->light_cols, 4);
    EXPECT_NE(n->poly->light_texture, 0u);
    stack.push_back(n->front);
    stack.push_back(n->back);
  }
  EXPECT_EQ(inner, static_cast<int>(r.tree.faces.size()));
  EXPECT_EQ(inner + leaves, static_cast<int>(r.tree.nodes.size()));
  // The game's own query agrees with the boxes at sample points.
  srand(9);
  for (int i = 0; i < 5000; ++i) {
    double p[3] = {-3 + 20.0 * rand() / RAND_MAX, -2 + 8.0 * rand() / RAND_MAX,
                   -3 + 18.0 * rand() / RAND_MAX};
    ASSERT_EQ(bsp_segment_clear(p, p, m.root) == 0, inside_any(src.brushes, p))
        << p[0] << " " << p[1] << " " << p[2];
  }
  // Line of sight across the room is open, through the pillar closed.
  const double a[3] = {3, 1.5, 3}, b[3] = {11, 1.5, 3}, c[3] = {3, 1.5, 9}, d[3] = {11, 1.5, 9};
  EXPECT_EQ(bsp_segment_clear(a, b, m.root), 1);
  EXPECT_EQ(bsp_segment_clear(a, d, m.root), 0);
  EXPECT_EQ(bsp_segment_clear(c, d, m.root), 1);
  free_loaded_map(m);
}

}  // namespace
