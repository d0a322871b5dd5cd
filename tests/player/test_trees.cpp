// Small BSP trees built in memory for the movement tests.
#include "tests/player/test_trees.h"

bsp_node* test_tree::leaf(bool solid) {
  nodes.push_back(std::make_unique<bsp_node>());
  bsp_node* node = nodes.back().get();
  node->is_leaf = 1;
  node->contents = solid ? 1 : 0;
  return node;
}

bsp_node* test_tree::split(const double point[3], const double normal[3], bsp_node* front, bsp_node* back) {
  vertices.push_back(std::make_unique<map_vertex>());
  map_vertex* vertex = vertices.back().get();
  vertex->x = point[0];
  vertex->y = point[1];
  vertex->z = point[2];
  polygons.push_back(std::make_unique<bsp_polygon>());
  bsp_polygon* poly = polygons.back().get();
  poly->verts = vertex;
  poly->vert_count = 1;
  for (int i = 0; i < 3; ++i) poly->normal[i] = normal[i];
  nodes.push_back(std::make_unique<bsp_node>());
  bsp_node* node = nodes.back().get();
  node->poly = poly;
  node->front = front;
  node->back = back;
  return node;
}

namespace {

const double up[3] = {0, 1, 0};
const double down[3] = {0, -1, 0};
const double minus_x[3] = {-1, 0, 0};
const double plus_x[3] = {1, 0, 0};
const double minus_z[3] = {0, 0, -1};
const double plus_z[3] = {0, 0, 1};

}  // namespace

void build_floor(test_tree& tree) {
  const double origin[3] = {0, 0, 0};
  tree.root = tree.split(origin, up, tree.leaf(false), tree.leaf(true));
}

void build_floor_and_wall(test_tree& tree, double wall_x) {
  const double origin[3] = {0, 0, 0};
  const double wall[3] = {wall_x, 0, 0};
  bsp_node* floor = tree.split(origin, up, tree.leaf(false), tree.leaf(true));
  tree.root = tree.split(wall, minus_x, floor, tree.leaf(true));
}

void build_floor_and_step(test_tree& tree, double step_x, double height) {
  const double origin[3] = {0, 0, 0};
  const double face[3] = {step_x, 0, 0};
  const double top[3] = {step_x, height, 0};
  bsp_node* step_top = tree.split(top, up, tree.leaf(false), tree.leaf(true));
  bsp_node* step_face = tree.split(face, minus_x, tree.leaf(false), step_top);
  tree.root = tree.split(origin, up, step_face, tree.leaf(true));
}

void build_floor_and_ceiling(test_tree& tree, double ceiling_y) {
  const double origin[3] = {0, 0, 0};
  const double ceiling[3] = {0, ceiling_y, 0};
  bsp_node* room = tree.split(ceiling, down, tree.leaf(false), tree.leaf(true));
  tree.root = tree.split(origin, up, room, tree.leaf(true));
}

void build_room(test_tree& tree) {
  const double origin[3] = {0, 0, 0};
  const double ceiling[3] = {0, 4, 0};
  const double step_face[3] = {5, 0, 0};
  const double step_top[3] = {5, 0.5, 0};
  const double east[3] = {10, 0, 0};
  const double west[3] = {-10, 0, 0};
  const double north[3] = {0, 0, -10};
  const double south[3] = {0, 0, 10};
  bsp_node* top = tree.split(step_top, up, tree.leaf(false), tree.leaf(true));
  bsp_node* step = tree.split(step_face, minus_x, tree.leaf(false), top);
  bsp_node* under_ceiling = tree.split(ceiling, down, step, tree.leaf(true));
  bsp_node* above_floor = tree.split(origin, up, under_ceiling, tree.leaf(true));
  bsp_node* inside_south = tree.split(south, minus_z, above_floor, tree.leaf(true));
  bsp_node* inside_north = tree.split(north, plus_z, inside_south, tree.leaf(true));
  bsp_node* inside_west = tree.split(west, plus_x, inside_north, tree.leaf(true));
  tree.root = tree.split(east, minus_x, inside_west, tree.leaf(true));
}
