// The navigation graph on the walkable floor, and the player's reach over it.
#pragma once
#include <vector>

#include "tools/mapc/bsp_build.h"
#include "tools/mapc/csg.h"
#include "tools/mapc/mapc_source.h"

// Height an enemy's route may rise or fall between two linked nodes.
constexpr double mapc_nav_climb = 1.0;
// Wanted spacing of the nodes and the longest link.
constexpr double mapc_nav_spacing = 6.0;
constexpr double mapc_nav_link_reach = 12.0;

// A navigation node: its position (at floor level) and the ids it leads to.
struct mapc_nav_node {
  mapc_vec pos;
  std::vector<int> links;
};

// Standing spots on a one-unit grid over every floor with head room, and the
// walk links between neighbouring spots.
struct mapc_floor_spots {
  std::vector<mapc_vec> pos;
  std::vector<std::vector<int>> near;  // spots within two cells, any height
};

// Whether an enemy can walk from a to b (positions at the feet): the height
// changes by at most mapc_nav_climb, the lines at knee and eye height (0.6
// and 1.5 up) are clear, and the floor-gap test finds floor under all seven
// of its points.
bool mapc_nav_walkable(const mapc_tree& tree, const mapc_vec& a, const mapc_vec& b);
// The game's floor-gap test: true when one of the seven points between a and
// b, lowered by 0.5, lies in empty space.
bool mapc_floor_gap(const mapc_tree& tree, const mapc_vec& a, const mapc_vec& b);

// The standing spots of the level's floors (faces pointing up).
mapc_floor_spots mapc_find_spots(const mapc_tree& tree, const std::vector<mapc_face>& surface);

// The navigation graph: nodes spread about mapc_nav_spacing apart, widest
// places first; every spot can walk to a node, and two spots that walk to each
// other reach nodes of one connected graph (extra nodes are added in doorways
// and corridors until this holds). Links are two-way, up to mapc_nav_link_reach
// long, between nodes that pass mapc_nav_walkable.
std::vector<mapc_nav_node> mapc_build_nav(const mapc_tree& tree, const mapc_floor_spots& spots);

// Whether a player starting at `start` can reach within `radius` of `goal` by
// walking (steps up to 1.0), dropping and jumping (up to 1.9 up, two cells
// across), over the standing spots.
bool mapc_player_reaches(const mapc_tree& tree, const mapc_floor_spots& spots, const mapc_vec& start,
                         const mapc_vec& goal, double radius);
