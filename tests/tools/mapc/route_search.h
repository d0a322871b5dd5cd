// The game's route search over navigation nodes, for checking that compiled graphs can be searched.
#pragma once
#include <vector>

struct ai_node;

// The node with `id`, or null.
const ai_node* ai_node_at(const ai_node* first, int id);
// The enemies' greedy depth-first search with backtracking over the links,
// guided by accumulated distances and bounded by 100 rounds; the route's ids
// from start to goal, or empty when the search fails.
std::vector<int> route_search(const ai_node* first, int start, int goal);
