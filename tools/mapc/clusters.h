// The cells sight is followed through: the empty leaves of a tree made
// without the detail brushes, each holding one or more leaves of the level's
// own tree.
#pragma once
#include <vector>

#include "tools/mapc/portals.h"

// The tree of the level's structural brushes (every brush not marked
// detail), its portals, and how the level's own tree lies in it.
struct mapc_clusters {
  mapc_tree tree;
  mapc_portals portals;
  // Per node of `tree`: an empty leaf that holds part of the level's
  // inside (an empty leaf of the level's tree that the outside does not
  // reach). These are the clusters.
  std::vector<char> inside;
  // Per node of the level's tree: the clusters (nodes of `tree`) its cell
  // overlaps, for its empty leaves inside the level; empty otherwise.
  std::vector<std::vector<int>> of_leaf;
};

// Works out the clusters of the level whose tree is `level` (with its
// portals, flooded from outside). Without detail brushes the clusters are
// the level's own inside leaves.
mapc_clusters mapc_make_clusters(const std::vector<mapc_brush>& brushes, const mapc_tree& level,
                                 const mapc_portals& level_portals);
