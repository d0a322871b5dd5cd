// Building the level's solid-leaf BSP tree from its surface polygons.
#pragma once
#include <vector>

#include "tools/mapc/csg.h"

// A node of the compiled tree. Inner nodes own one face (an index into the
// tree's faces); leaves say whether their cell is solid.
struct mapc_node {
  int face;   // -1 for leaves
  int front;  // child indices, -1 for leaves
  int back;
  int solid;  // leaves: 1 solid, 0 empty
};

// The tree: nodes[root] is the root; faces are the pieces the splits left.
struct mapc_tree {
  std::vector<mapc_node> nodes;
  std::vector<mapc_face> faces;
  int root;
  int depth;  // inner nodes on the longest path from the root
};

// Builds the tree: each node's splitter is the face whose plane splits the
// fewest other faces while keeping both sides even (from a sample of
// candidates), faces crossing it are cut in two, faces in its plane go to the
// front when they face the same way and to the back otherwise. A side left
// without faces is an empty leaf in front and a solid leaf behind. The faces
// must close the solid (a union of brushes always does) for the leaves to
// be right.
mapc_tree mapc_bsp_build(const std::vector<mapc_face>& faces);

// The tree with every face made a polygon the map file can hold: four
// corners that are its light map's quad (mapc_face_quads). A face cut into
// several quads becomes a chain of nodes in its plane: the first keeps the
// face's back subtree, each passes its front on to the next, and the last
// holds the face's front subtree; the backs along the chain (space that is
// both in front of and behind the plane) are solid leaves. `node_map`, when
// given, receives for each node of `tree` its node in the result (an inner
// node: the first of its chain).
mapc_tree mapc_tree_quads(const mapc_tree& tree, std::vector<int>* node_map = nullptr);

// Each node's number among the leaves in the order the map file lists
// them (front subtree before back), -1 for inner nodes; `count` receives
// the number of leaves.
std::vector<int> mapc_leaf_numbers(const mapc_tree& tree, int* count);

// 1 when the segment from a to b only passes through empty leaves; a == b
// tests one point. Same rules as the game's query: a point exactly on a
// plane counts as in front, a segment crossing a plane is cut there.
int mapc_segment_clear(const mapc_tree& tree, const double a[3], const double b[3]);
// Whether the point is inside solid.
bool mapc_point_solid(const mapc_tree& tree, const double p[3]);
// The leaf (node index) holding the point, by the same rule.
int mapc_leaf_at(const mapc_tree& tree, const double p[3]);
