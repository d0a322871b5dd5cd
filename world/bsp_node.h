// The level's solid-leaf BSP tree: nodes, their polygons and vertices.
#pragma once
#include <cstdint>

// A polygon corner: position in world units (y up), then texture coordinates.
struct map_vertex {
  double x, y, z;
  double u, v;
};

// The polygon of an inner node; its plane splits the node's space.
struct bsp_polygon {
  map_vertex* verts;
  double normal[3];  // as read, not normalised
  int32_t* indices;
  int32_t vert_count;
  int32_t index_count;
  uint32_t texture;        // GL texture resolved from the texid
  uint32_t light_texture;  // GL light-map texture; 0 without a light grid
  int32_t light_rows;
  int32_t light_cols;
  // The light map's darkness (its texels' alpha), light_cols x light_rows
  // bytes row by row, kept from the grid when the level was read; null
  // without a light grid.
  uint8_t* light_alpha;
  // Whether every texel of the light map holds the same darkness, and
  // which (0 to 255): such a map darkens its polygon evenly, and drawing it
  // needs no light-map texture. Left 0 when unknown.
  int32_t light_uniform;
  int32_t light_darkness;
  // Where the world pass's light atlas holds a copy of the light map: its
  // texel corner, valid while `light_atlas_generation` is the atlas's own
  // (0, never placed, when the polygon is made); x is -1 when it did not fit.
  int32_t light_atlas_x;
  int32_t light_atlas_y;
  uint32_t light_atlas_generation;
};

struct bsp_node {
  bsp_polygon* poly;  // null for leaves
  bsp_node* front;
  bsp_node* back;
  int32_t is_leaf;
  int32_t contents;  // leaves: 0 empty, anything else solid
};
