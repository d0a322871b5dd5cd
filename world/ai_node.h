// A navigation node of the level, with its links.
#pragma once
#include <cstdint>

struct ai_node {
  double x, y, z;
  int32_t id;
  int32_t link_count;
  int32_t* link_ids;  // as read
  ai_node** links;    // resolved by ai_nodes_link; null where no node has the id
  ai_node* next;      // file order
};
