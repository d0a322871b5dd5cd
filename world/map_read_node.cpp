// Reading the tree section of a map file: one NODE record and its subtrees.
#include "world/map_read_node.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/texture_table.h"
#include "base/texture_upload.h"
#include "world/bsp_node.h"
#include "world/light_map_build.h"
#include "world/map_stream.h"
#include "world/world_texture_find.h"

namespace {

constexpr size_t tok_size = map_tree_token_size;

void log_defaulted() { printf("defaulted to return, invalid starting header\n"); }

bool read_vertices(map_stream& s, bsp_polygon* poly) {
  int32_t n = 0;
  if (!map_read_int(s, tok_size, &n)) return false;
  if (n < 0 || n > map_max_vertices) {
    map_reject(s, "a polygon has %d vertices (0 to %d allowed)", n, map_max_vertices);
    return false;
  }
  poly->verts = new map_vertex[n]();
  poly->vert_count = n;
  for (int32_t i = 0; i < n; ++i) {
    map_vertex& v = poly->verts[i];
    if (!map_read_double(s, tok_size, &v.x) || !map_read_double(s, tok_size, &v.y) ||
        !map_read_double(s, tok_size, &v.z) || !map_read_double(s, tok_size, &v.u) ||
        !map_read_double(s, tok_size, &v.v))
      return false;
    printf("testing: %f %f %f %f %f\n", v.x, v.y, v.z, v.u, v.v);
  }
  return true;
}

bool read_indices(map_stream& s, bsp_polygon* poly) {
  printf("got str INDS\n");
  char token[tok_size];
  if (!map_read_token(s, token, sizeof token)) return false;
  printf("got numbder %s\n", token);
  int32_t m = map_token_int(token);
  if (m < 0 || m > map_max_indices) {
    map_reject(s, "a polygon has %d indices (0 to %d allowed)", m, map_max_indices);
    return false;
  }
  poly->indices = new int32_t[m]();
  poly->index_count = m;
  for (int32_t i = 0; i < m; ++i) {
    if (!map_read_int(s, tok_size, &poly->indices[i])) return false;
    printf("test %d\n", poly->indices[i]);
  }
  return true;
}

bool read_light(map_stream& s, bsp_polygon* poly) {
  printf("doing light\n");
  int32_t rows = 0;
  int32_t cols = 0;
  if (!map_read_int(s, tok_size, &rows) || !map_read_int(s, tok_size, &cols)) return false;
  printf("about to set the array\n");
  if (rows < 2 || cols < 2 || rows > map_max_light_side || cols > map_max_light_side) {
    map_reject(s, "a light grid of %d x %d (2 to %d a side allowed)", rows, cols, map_max_light_side);
    return false;
  }
  poly->light_rows = rows;
  poly->light_cols = cols;
  std::vector<int32_t> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  std::vector<const int32_t*> grid(static_cast<size_t>(rows));
  for (size_t i = 0; i < cells.size(); ++i)
    if (!map_read_int(s, tok_size, &cells[i])) return false;
  for (int32_t r = 0; r < rows; ++r)
    grid[static_cast<size_t>(r)] = &cells[static_cast<size_t>(r) * static_cast<size_t>(cols)];
  poly->light_alpha = light_map_alpha(grid.data(), rows, cols);
  poly->light_texture = light_map_upload(poly->light_alpha, rows, cols);
  int32_t darkness = light_map_uniform_darkness(grid.data(), rows, cols);
  poly->light_uniform = darkness >= 0 ? 1 : 0;
  poly->light_darkness = darkness >= 0 ? darkness : 0;
  printf("Freed memory!\n");
  return true;
}

// Steps 4 to 9: the polygon after "CONT". False when the file was rejected.
bool read_polygon(map_stream& s, bsp_node* node, const texture_table& table) {
  bsp_polygon* poly = new bsp_polygon{};
  node->poly = poly;
  printf("getting polygon data\n");
  int32_t texid = 0;
  if (!map_read_int(s, tok_size, &texid)) return false;
  printf("texid = %d\n", texid);
  uint32_t default_texture = table.slots[tex_default_world];
  poly->texture =
      texid == -1 ? default_texture : world_texture_find(table.world_textures, default_texture, texid);
  for (double& component : poly->normal)
    if (!map_read_double(s, tok_size, &component)) return false;

  char token[tok_size];
  if (!map_read_token(s, token, sizeof token)) return false;
  if (strcmp(token, "VERT") == 0 && !read_vertices(s, poly)) return false;
  if (!map_read_token(s, token, sizeof token)) return false;
  if (strcmp(token, "INDS") == 0 && !read_indices(s, poly)) return false;
  if (!map_read_token(s, token, sizeof token)) return false;
  if (strcmp(token, "LIGHT") == 0 && !read_light(s, poly)) return false;
  return true;
}

// Allocates the child in `slot` and reads it.
void read_child(map_stream& s, bsp_node** slot, const texture_table& table) {
  *slot = new bsp_node{};
  map_read_node(s, *slot, table);
}

// Step 10: the two child slots.
bool read_children(map_stream& s, bsp_node* node, const texture_table& table) {
  char token[tok_size];
  if (!map_read_token(s, token, sizeof token)) return false;
  if (strcmp(token, "FRONT") == 0) {
    read_child(s, &node->front, table);
    if (!map_read_token(s, token, sizeof token)) return false;
    if (strcmp(token, "BACK") == 0) read_child(s, &node->back, table);
  } else if (strcmp(token, "BACK") == 0) {
    read_child(s, &node->back, table);
    if (!map_read_token(s, token, sizeof token)) return false;
    if (strcmp(token, "FRONT") == 0) read_child(s, &node->front, table);
  }
  return !s.failed;
}

// What every inner node must hold for the queries and the drawing, checked
// when its record is over. A child the file left out becomes empty space.
void check_inner_node(map_stream& s, bsp_node* node) {
  if (s.failed || node->is_leaf != 0) return;
  const bsp_polygon* poly = node->poly;
  if (!poly) {
    map_reject(s, "an inner node has no polygon");
  } else if (poly->vert_count < 1) {
    map_reject(s, "an inner node's polygon has no vertices");
  } else if (poly->light_rows > 0 && poly->vert_count < 4) {
    map_reject(s, "a light-mapped polygon has %d vertices (4 needed)", poly->vert_count);
  }
  if (s.failed) return;
  for (bsp_node** child : {&node->front, &node->back}) {
    if (*child) continue;
    printf("map \"%s\": an inner node has no %s child; it is taken as empty space\n", s.name,
           child == &node->front ? "front" : "back");
    *child = new bsp_node{};
    (*child)->is_leaf = 1;
  }
}

// One record from its "NODE" to its closing token. It may end early: after
// a "defaulted" line, at "END", or when the file is rejected.
void read_record(map_stream& s, bsp_node* node, const texture_table& table) {
  char token[tok_size];
  if (!map_read_token(s, token, sizeof token)) return;
  printf("found header\n");
  if (strcmp(token, "NODE") != 0) {
    log_defaulted();
    return;
  }
  printf("new node\n");
  // Converting the first number before reading the second shows nothing
  // different and keeps one token buffer per nesting level.
  if (!map_read_token(s, token, sizeof token)) return;
  int32_t is_leaf = map_token_int(token);
  if (!map_read_token(s, token, sizeof token)) return;
  printf("scanned\n");
  node->is_leaf = is_leaf;
  node->contents = map_token_int(token);
  printf("atoi sucess\n");
  printf("scanned %d %d\n", node->is_leaf, node->contents);

  if (!map_read_token(s, token, sizeof token)) return;
  printf("scanned a header %s\n", token);
  if (strcmp(token, "END") == 0) {
    printf("end of branch\n");
    return;
  }
  if (strcmp(token, "CONT") != 0) {
    log_defaulted();
    return;
  }
  if (!read_polygon(s, node, table) || !read_children(s, node, table)) return;
  if (!map_read_token(s, token, sizeof token)) return;
  if (strcmp(token, "RET") == 0)
    printf("retnormal\n");
  else
    log_defaulted();
}

}  // namespace

void map_read_node(map_stream& s, bsp_node* node, const texture_table& table) {
  if (s.failed) return;
  if (s.depth >= map_max_tree_depth) {
    map_reject(s, "the tree is nested deeper than %d levels", map_max_tree_depth);
    return;
  }
  ++s.depth;
  read_record(s, node, table);
  --s.depth;
  check_inner_node(s, node);
}
