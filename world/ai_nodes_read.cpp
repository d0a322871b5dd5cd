// Reading the navigation-node section of a map file and resolving its links.
#include "world/ai_nodes_read.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "world/ai_node.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"

namespace {

// Reads one record after its "AINODE:" keyword into a new node; null when
// the file is rejected on the way.
ai_node* read_node_record(map_stream& s) {
  ai_node* node = new ai_node{};
  bool ok = map_read_int(s, map_list_token_size, &node->id) &&
            map_read_double(s, map_list_token_size, &node->x) &&
            map_read_double(s, map_list_token_size, &node->y) &&
            map_read_double(s, map_list_token_size, &node->z) &&
            map_read_int(s, map_list_token_size, &node->link_count);
  if (ok && (node->link_count < 0 || node->link_count > map_max_links)) {
    map_reject(s, "navigation node %d has %d links (0 to %d allowed)", node->id, node->link_count,
               map_max_links);
    ok = false;
  }
  if (ok) {
    node->link_ids = new int32_t[node->link_count]();
    for (int32_t i = 0; ok && i < node->link_count; ++i) {
      ok = map_read_int(s, map_list_token_size, &node->link_ids[i]);
      if (ok) printf("node link ID: %d\n", node->link_ids[i]);
    }
  }
  if (!ok) {
    node->link_count = 0;
    ai_nodes_free(node);
    return nullptr;
  }
  return node;
}

int32_t count_nodes(const ai_node* first) {
  int32_t n = 0;
  for (; first; first = first->next) ++n;
  return n;
}

// Drops the nodes whose id is outside 0 to count - 1. Dropping shrinks the
// count, which can put another id out of range, so it repeats until stable.
ai_node* drop_out_of_range(map_stream& s, ai_node* first) {
  for (;;) {
    int32_t n = count_nodes(first);
    bool dropped = false;
    ai_node** link = &first;
    while (*link) {
      ai_node* node = *link;
      if (node->id < 0 || node->id >= n) {
        printf("map \"%s\": navigation node id %d is outside 0 to %d; the node is left out\n", s.name,
               node->id, n - 1);
        *link = node->next;
        node->next = nullptr;
        ai_nodes_free(node);
        dropped = true;
      } else {
        link = &node->next;
      }
    }
    if (!dropped) return first;
  }
}

}  // namespace

ai_node* ai_nodes_read(map_stream& s) {
  // The list is built in file order; a loop rather than one call per node
  // keeps a long section off the stack.
  ai_node* first = nullptr;
  ai_node** tail = &first;
  int32_t records = 0;
  char token[map_list_token_size];
  for (;;) {
    if (!map_read_token(s, token, sizeof token)) break;
    if (strcmp(token, "AINODE:") != 0) {
      printf("EONL\n");
      break;
    }
    if (++records > map_max_list_records) {
      map_reject(s, "more than %d navigation nodes", map_max_list_records);
      break;
    }
    ai_node* node = read_node_record(s);
    if (!node) break;
    *tail = node;
    tail = &node->next;
  }
  if (s.failed) {
    ai_nodes_free(first);
    return nullptr;
  }
  return drop_out_of_range(s, first);
}

ai_node* ai_node_find(ai_node* start, int32_t id) {
  for (; start; start = start->next)
    if (start->id == id) return start;
  return nullptr;
}

void ai_nodes_link(ai_node* first) {
  if (!first) return;
  // A table of the first node with each id gives the same answer as a walk
  // from the head for every link, without a walk per link. Ids outside
  // 0 to count - 1 (possible when the list was not made by ai_nodes_read)
  // fall back to the walk.
  int32_t n = count_nodes(first);
  std::vector<ai_node*> by_id(static_cast<size_t>(n), nullptr);
  for (ai_node* p = first; p; p = p->next)
    if (p->id >= 0 && p->id < n && !by_id[static_cast<size_t>(p->id)]) by_id[static_cast<size_t>(p->id)] = p;
  for (ai_node* p = first; p; p = p->next) {
    delete[] p->links;
    p->links = new ai_node*[p->link_count > 0 ? p->link_count : 0]();
    for (int32_t i = 0; i < p->link_count; ++i) {
      int32_t id = p->link_ids[i];
      p->links[i] = (id >= 0 && id < n) ? by_id[static_cast<size_t>(id)] : ai_node_find(first, id);
    }
  }
}
