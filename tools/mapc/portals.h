// The openings between the tree's leaves, and the flood of empty leaves from
// outside the level.
#pragma once
#include <vector>

#include "tools/mapc/bsp_build.h"

// A convex opening between two leaves: leaf[0] lies in front of its plane,
// leaf[1] behind. A side of the box around the level has the outside
// (mapc_portals::outside) as one of its leaves.
struct mapc_portal {
  mapc_winding w;
  mapc_plane plane;
  int leaf[2];
};

// Every portal between the tree's leaves and the outside.
struct mapc_portals {
  std::vector<mapc_portal> portals;
  std::vector<std::vector<int>> of_leaf;  // per node index (and `outside`): its portals
  int outside;                            // the index standing for everything beyond the box
  std::vector<char> reached;              // per node index: an empty leaf the outside floods into
  std::vector<int> parent;  // per reached leaf: the portal the flood came in by (-1 from outside)
};

// Cuts the portals of the tree: the box around its faces (with a margin)
// split down the tree, and every node's plane clipped to the node's cell.
mapc_portals mapc_make_portals(const mapc_tree& tree);

// Floods the empty leaves from the outside through the portals between them.
void mapc_flood_outside(const mapc_tree& tree, mapc_portals& p);

// The way out of a reached leaf: the centres of the portals the flood came
// in by, from the leaf's own to the one on the box.
std::vector<mapc_vec> mapc_way_out(const mapc_portals& p, int leaf);
