// Questions about the level's navigation graph: counts, nearest nodes, routes.
#pragma once
#include <cstdint>

struct ai_node;
struct bsp_node;

// Filler after the last id of a route in a path array.
constexpr int32_t path_filler = 9999;

// Number of nodes in the list; 0 for none.
int32_t ai_node_count(const ai_node* list);

// The id of the node nearest to q that q can see (a clear segment from q to
// it); among equal distances the lowest id. 0 when none is visible or the
// list is empty.
int32_t find_nearest_visible_node(ai_node* list, const bsp_node* root, const double q[3]);

// The id of the first node in list order that cannot see q; -1 when every
// node sees it. The worker flees there.
int32_t find_hidden_node(ai_node* list, const bsp_node* root, const double q[3]);

// A route from node `start` to node `goal`: a greedy depth-first walk over
// the links with backtracking, at most 100 rounds. Returns an array of as
// many entries as there are nodes, holding the route's ids in walking order
// and then path_filler, with the route's length in *length; null when the
// search fails (length untouched). The caller owns the array (delete[]).
// Ids outside the graph and links to missing nodes are never followed.
int32_t* find_path(ai_node* list, int32_t start, int32_t goal, int32_t* length);
