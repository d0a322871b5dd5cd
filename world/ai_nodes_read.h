// Reading the navigation-node section of a map file and resolving its links.
#pragma once
#include <cstdint>

struct ai_node;
struct map_stream;

// Reads AINODE: records up to the first token that is not "AINODE:" (that
// token is consumed; "EONL" is logged). Returns the first node in file
// order, or null when the section holds none or the file is rejected (the
// nodes read so far are then freed). Nodes whose id lies outside 0 to
// count - 1 are left out, until every node left has such an id, so the path
// search may index arrays of `count` entries by id.
ai_node* ai_nodes_read(map_stream& s);

// Fills every node's `links` from its `link_ids`: the first node in list
// order with that id, or null when none has it. Null `first` is ignored.
void ai_nodes_link(ai_node* first);

// The first node with `id`, walking `next` from `start` itself; null when none.
ai_node* ai_node_find(ai_node* start, int32_t id);
