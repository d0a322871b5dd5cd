// libFuzzer target: the whole map reader on arbitrary bytes, then every
// query a level makes of what it accepted, then the release.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/map_read_level.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "entities/entity_list_free.h"
#include "world/ai_node.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"

namespace {

// What the drawing and the queries read of an accepted tree: every inner
// node's first vertex (its plane), the first four of a light-mapped one,
// and both children.
void walk_as_the_drawer(const bsp_node* node, int depth) {
  if (!node || node->is_leaf) return;
  if (depth > map_max_tree_depth) abort();  // the reader bounds the nesting
  if (!node->poly || node->poly->vert_count < 1 || !node->front || !node->back) abort();
  int corners = node->poly->light_rows > 0 ? 4 : 1;
  volatile double sum = 0;
  for (int i = 0; i < corners; ++i) sum = sum + node->poly->verts[i].x + node->poly->verts[i].v;
  walk_as_the_drawer(node->front, depth + 1);
  walk_as_the_drawer(node->back, depth + 1);
}

// Sight lines and collision probes between a few fixed points and the
// navigation nodes.
void ask_queries(const bsp_node* root, const ai_node* nodes) {
  const double points[][3] = {{0, 0, 0}, {2, 1, 2}, {-5, 3, 8}, {10, -1, -4}, {1e9, 0, -1e9}};
  double normal[3] = {0, 0, 0};
  double distance = 0;
  for (const auto& a : points)
    for (const auto& b : points) {
      bsp_segment_clear(a, b, root);
      bsp_trace_solid(a, b, root, normal, &distance);
    }
  int count = 0;
  for (const ai_node* n = nodes; n && count < 64; n = n->next, ++count) {
    const double at[3] = {n->x, n->y, n->z};
    bsp_segment_clear(points[1], at, root);
    for (int i = 0; i < n->link_count; ++i) {
      if (n->id < 0) abort();  // out-of-range ids are left out
      const ai_node* to = n->links[i];
      if (!to) continue;
      const double there[3] = {to->x, to->y, to->z};
      bsp_segment_clear(at, there, root);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The log is not what is being tested, and texture paths from the input
  // should find nothing: run quietly in an empty directory.
  if (!freopen("/dev/null", "w", stdout)) return 0;
  char dir[] = "/tmp/tarvo_fuzz_map_XXXXXX";
  if (mkdtemp(dir) && chdir(dir) != 0) return 0;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = size ? fmemopen(const_cast<uint8_t*>(data), size, "r") : fopen("/dev/null", "r");
  if (!file) return 0;
  map_stream s = map_stream_over(file, "fuzz.t3bsp");
  texture_table textures{};
  textures.slots[tex_default_world] = 1;
  entity* head = entity_list_new_head();
  bsp_node* root = new bsp_node{};
  ai_node* nodes = nullptr;
  bool ok = map_read_level(s, head, textures, root, nodes);
  if (ok) {
    walk_as_the_drawer(root, 0);
    ask_queries(root, nodes);
  } else if (head->next || root || nodes || textures.world_textures) {
    abort();  // a rejected file must leave nothing loaded
  }
  fclose(file);
  world_textures_free(textures.world_textures);
  entity_list_free(head);
  ai_nodes_free(nodes);
  bsp_free(root);
  return 0;
}
