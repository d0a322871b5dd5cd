// A level's potentially visible sets: which leaves of the tree can be seen
// from which, read from the file the map compiler writes beside the map
// (NAME.vis beside NAME.t3bsp). A level without one is drawn whole.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct bsp_node;

struct world_vis {
  const bsp_node* root = nullptr;  // the tree the sets were read for; null: no sets
  int leaf_count = 0;
  int cluster_count = 0;
  // Per leaf, in the map file's order: the clusters (cells the sets were
  // worked out on) its cell overlaps, as leaf_first[leaf] up to
  // leaf_first[leaf + 1] in leaf_clusters.
  std::vector<uint32_t> leaf_first;
  std::vector<uint32_t> leaf_clusters;
  std::vector<std::string> rows;  // per cluster: the clusters it sees, runs of zero bytes packed
  // Per node, in the map file's order (a node, then its front subtree, then
  // its back subtree): the count of nodes in its subtree, its leaf number
  // (-1 for inner nodes), and whether its subtree holds a leaf seen from
  // the eye's leaf.
  std::vector<int32_t> subtree_size;
  std::vector<int32_t> leaf_number;
  std::vector<uint8_t> seen;
  std::vector<uint8_t> eye_sees;  // the clusters the eye's clusters see, one bit each
  int eye_leaf = -1;              // the leaf `seen` was worked out for; -1 none
};

// Reads the sets of the map at `map_path` (its name with ".vis" for
// ".t3bsp") for the tree `root` just loaded from it. No file: no sets,
// silently. A file that is not a set of this tree (another version,
// another tree's counts, a row that runs past its clusters, a damaged
// header) is ignored with the line "vis \"PATH\" ignored: REASON\n". True
// when the sets were read.
bool world_vis_load(world_vis& vis, const char* map_path, const bsp_node* root);

// Forgets the sets.
void world_vis_clear(world_vis& vis);

// Whether the leaf holding p is one the last world_vis_update found the
// eye's leaf to see (true when there are no sets for this tree).
bool world_vis_sees(const world_vis& vis, const bsp_node* root, const double p[3]);

// Whether any empty leaf the box from `lo` to `hi` reaches into is one the
// last world_vis_update found the eye's leaf to see; true when that update
// found no sets for this tree. Something wholly inside such a box is hidden
// from the eye behind solid when this is false.
bool world_vis_box_seen(const world_vis& vis, const bsp_node* root, const double lo[3], const double hi[3]);

// Works out, for the eye in the tree `root`, which nodes' subtrees hold a
// leaf the eye's leaf sees (kept in `seen`). False when the sets do not
// apply (no sets, another tree, the eye in solid or in a leaf without a
// set): then everything is drawn.
bool world_vis_update(world_vis& vis, const bsp_node* root, const double eye[3]);
