// The tree queries on hand-built trees.
#include "world/bsp_query.h"

#include <gtest/gtest.h>

#include <cmath>

#include "world/bsp_free.h"
#include "world/bsp_node.h"

namespace {

bsp_node* leaf(int contents) {
  bsp_node* n = new bsp_node{};
  n->is_leaf = 1;
  n->contents = contents;
  return n;
}

// An inner node whose plane passes through `point` with `normal`.
bsp_node* splitter(double px, double py, double pz, double nx, double ny, double nz, bsp_node* front,
                   bsp_node* back) {
  bsp_node* n = new bsp_node{};
  n->poly = new bsp_polygon{};
  n->poly->verts = new map_vertex[1]{{px, py, pz, 0, 0}};
  n->poly->vert_count = 1;
  n->poly->normal[0] = nx;
  n->poly->normal[1] = ny;
  n->poly->normal[2] = nz;
  n->front = front;
  n->back = back;
  return n;
}

// A wall in the plane x = 0 facing +x: empty in front, solid behind.
bsp_node* wall() { return splitter(0, 0, 0, 1, 0, 0, leaf(0), leaf(1)); }

TEST(SegmentClear, PointOnThePlaneIsSearchedInFront) {
  bsp_node* root = wall();
  const double on[3] = {0, 5, 5};
  const double hair_behind[3] = {-1e-12, 5, 5};
  const double in_front[3] = {2, 0, 0};
  EXPECT_EQ(bsp_segment_clear(on, on, root), 1);
  EXPECT_EQ(bsp_segment_clear(hair_behind, hair_behind, root), 0);
  EXPECT_EQ(bsp_segment_clear(in_front, in_front, root), 1);
  bsp_free(root);
}

TEST(SegmentClear, WallBlocksButAnEndOnItsPlaneDoesNot) {
  // Empty cell | wall at x = 0 with a solid back | empty cell beyond at x < -1.
  bsp_node* root = splitter(0, 0, 0, 1, 0, 0, leaf(0), splitter(-1, 0, 0, -1, 0, 0, leaf(0), leaf(1)));
  const double a[3] = {2, 0, 0};
  const double beyond[3] = {-2, 0, 0};
  const double on_wall[3] = {0, 0, 0};
  EXPECT_EQ(bsp_segment_clear(a, beyond, root), 0);
  EXPECT_EQ(bsp_segment_clear(beyond, a, root), 0);
  EXPECT_EQ(bsp_segment_clear(a, on_wall, root), 1);  // the end is ON: only front is searched
  EXPECT_EQ(bsp_segment_clear(on_wall, a, root), 1);
  const double in_plane_a[3] = {0, -3, 0};
  const double in_plane_b[3] = {0, 3, 0};
  EXPECT_EQ(bsp_segment_clear(in_plane_a, in_plane_b, root), 1);  // lying in the plane: front
  bsp_free(root);
}

TEST(SegmentClear, EachPartIsTestedOnItsOwnSide) {
  // Root x = 0; in front, a solid slab beyond y = 5 (normal -y: front is y < 5).
  bsp_node* root = splitter(0, 0, 0, 1, 0, 0, splitter(0, 5, 0, 0, -1, 0, leaf(0), leaf(1)), leaf(0));
  const double a[3] = {4, 4, 0};
  const double b[3] = {-4, 8, 0};  // crosses x = 0 at y = 6: the front part reaches y = 6 (solid)
  EXPECT_EQ(bsp_segment_clear(a, b, root), 0);
  const double c[3] = {4, 0, 0};
  const double d[3] = {-4, 8, 0};  // crosses x = 0 at y = 4: the front part stays below 5
  EXPECT_EQ(bsp_segment_clear(c, d, root), 1);
  bsp_free(root);
}

TEST(SegmentClear, MissingChildIsEmptySpace) {
  bsp_node* root = splitter(0, 0, 0, 1, 0, 0, nullptr, leaf(1));
  const double p[3] = {1, 0, 0};
  EXPECT_EQ(bsp_segment_clear(p, p, root), 1);
  double n[3] = {0, 0, 0};
  double dist = -1;
  EXPECT_EQ(bsp_trace_solid(p, p, root, n, &dist), 0);
  bsp_free(root);
}

TEST(TraceSolid, SamePointGivesTheLeafContentsAndWritesNothing) {
  bsp_node* root = splitter(0, 0, 0, 1, 0, 0, leaf(0), leaf(5));
  const double behind[3] = {-1, 0, 0};
  const double front[3] = {1, 0, 0};
  double n[3] = {7, 7, 7};
  double dist = 7;
  EXPECT_EQ(bsp_trace_solid(behind, behind, root, n, &dist), 5);
  EXPECT_EQ(bsp_trace_solid(front, front, root, n, &dist), 0);
  EXPECT_EQ(n[0], 7);
  EXPECT_EQ(dist, 7);
  bsp_free(root);
}

TEST(TraceSolid, CrossingFrontToBackReportsThePlaneWithoutClearingIt) {
  // Normal of length 2: the distance is still in world units.
  bsp_node* root = splitter(0, 0, 0, 2, 0, 0, leaf(0), leaf(1));
  const double a[3] = {3, 0, 0};
  const double b[3] = {-1, 0, 0};
  double n[3] = {0, 0, 0};
  double dist = 0;
  EXPECT_EQ(bsp_trace_solid(a, b, root, n, &dist), 0);  // a lies in empty space
  EXPECT_EQ(n[0], 2);
  EXPECT_DOUBLE_EQ(dist, 3.0);
  // Back to front: searched the same way but the outputs stay as they were.
  n[0] = 9;
  dist = 9;
  EXPECT_EQ(bsp_trace_solid(b, a, root, n, &dist), 0);
  EXPECT_EQ(n[0], 9);
  EXPECT_EQ(dist, 9);
  bsp_free(root);
}

TEST(TraceSolid, BothChildrenSeeTheWholeSegment) {
  // Both sides solid: the result is 1 and the later crossing (in the back
  // subtree) overwrites the root's.
  bsp_node* inner = splitter(-2, 0, 0, 1, 0, 0, leaf(1), leaf(1));
  bsp_node* root = splitter(0, 0, 0, 1, 0, 0, leaf(1), inner);
  const double a[3] = {1, 0, 0};
  const double b[3] = {-3, 0, 0};
  double n[3] = {0, 0, 0};
  double dist = 0;
  EXPECT_EQ(bsp_trace_solid(a, b, root, n, &dist), 1);
  EXPECT_DOUBLE_EQ(dist, 3.0);  // a's distance to x = -2
  bsp_free(root);
}

TEST(SegmentPlaneHit, EdgeCases) {
  const double p[3] = {0, 0, 0};
  const double n[3] = {0, 1, 0};
  double out[3] = {9, 9, 9};
  double t = -5;
  const double a[3] = {1, 1, 1};
  EXPECT_EQ(segment_plane_hit(a, a, p, n, out, &t), 0);
  EXPECT_EQ(t, -5);  // nothing written
  const double on[3] = {3, 0, 2};
  EXPECT_EQ(segment_plane_hit(a, on, p, n, out, &t), 1);
  EXPECT_DOUBLE_EQ(t, 1.0);
  EXPECT_DOUBLE_EQ(out[0], 3.0);
  EXPECT_DOUBLE_EQ(out[1], 0.0);
  EXPECT_EQ(segment_plane_hit(on, a, p, n, out, &t), 1);
  EXPECT_DOUBLE_EQ(t, 0.0);
  const double short_of[3] = {1, 0.001, 1};
  out[0] = 42;
  EXPECT_EQ(segment_plane_hit(a, short_of, p, n, out, &t), 0);
  EXPECT_GT(t, 1.0);
  EXPECT_EQ(out[0], 42);
  const double parallel[3] = {5, 1, -4};
  EXPECT_EQ(segment_plane_hit(a, parallel, p, n, out, &t), 0);
}

}  // namespace
