// The potentially visible set: which leaves of a tree (the clusters, see
// clusters.h) can be seen from which, found by flowing sight through the
// portals between empty leaves.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mapc/portals.h"

// Per empty leaf marked inside (node index), the leaves (node indices)
// that can be seen from somewhere in it, itself and its neighbours included;
// empty for solid leaves and the leaves not marked.
struct mapc_vis {
  std::vector<std::vector<int>> sees;
  int portals = 0;  // one-way portals the sight flowed through
  int gave_up = 0;  // of those, the ones whose flow ran out of steps (their sets from plane tests alone)
};

// Flows sight from every portal of every empty leaf marked `inside` (per
// node): through each following portal, the part that can be seen through
// all the portals before it, cut by the planes that separate the first
// portal from the last (as the classic vis tools do).
mapc_vis mapc_compute_vis(const mapc_tree& tree, const mapc_portals& portals,
                          const std::vector<char>& inside);

// The version of the vis file mapc_vis_file writes.
constexpr uint32_t mapc_vis_version = 2;

// The file beside the map, for a map whose leaves lie in the clusters the
// sets were worked out on (the leaves of `vis`'s tree):
// - "TVIS", the version, the map's leaf count and inner-node count (its
//   leaves numbered in the order the map file lists them), the cluster
//   count;
// - per leaf of the map, the number of clusters its cell overlaps and
//   their numbers (none for solid leaves and those outside the level);
// - per cluster, the length of its row and the row: the clusters it sees
//   as bits (bit i of byte i / 8 for cluster i), runs of zero bytes written
//   as a zero and a count up to 255.
// All numbers are 32 bits, least significant byte first. `clusters_of`
// gives, per node of the map's tree before its faces were cut into quads,
// the nodes of `vis`'s tree its cell overlaps; `leaf_number` gives each of
// those nodes the number of its leaf in the map file (-1 for inner nodes).
std::string mapc_vis_file(const mapc_vis& vis, const std::vector<std::vector<int>>& clusters_of,
                          const std::vector<int>& leaf_number, int leaf_count, int inner_count);
