// The potentially visible set: which leaves of the tree can be seen from
// which, found by flowing sight through the portals between empty leaves.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mapc/portals.h"

// Per empty leaf inside the level (node index), the leaves (node indices)
// that can be seen from somewhere in it, itself and its neighbours included;
// empty for solid leaves and for the outside.
struct mapc_vis {
  std::vector<std::vector<int>> sees;
  int portals = 0;  // one-way portals the sight flowed through
  int gave_up = 0;  // of those, the ones whose flow ran out of steps (their sets from plane tests alone)
};

// Flows sight from every portal of every leaf the outside did not reach
// (mapc_flood_outside): through each following portal, the part that can be
// seen through all the portals before it, cut by the planes that separate
// the first portal from the last (as the classic vis tools do).
mapc_vis mapc_compute_vis(const mapc_tree& tree, const mapc_portals& portals);

// The file beside the map: "TVIS", the version, the tree's leaf count and
// inner-node count (the map's leaves numbered in the order the map file
// lists them), then per leaf its visible leaves as a bit row (bit i of
// byte i / 8 for leaf i), runs of zero bytes written as a zero and a count
// up to 255. `leaf_number` gives each node of the tree the vis was computed
// on the number of its leaf in the map file (-1 for inner nodes).
std::string mapc_vis_file(const mapc_vis& vis, const std::vector<int>& leaf_number, int leaf_count,
                          int inner_count);
