// Releasing a subtree of the level's BSP tree.
#include "world/bsp_free.h"

#include "base/texture_upload.h"
#include "world/bsp_node.h"

namespace {

void free_polygon(bsp_polygon* poly) {
  if (!poly) return;
  delete[] poly->verts;
  delete[] poly->indices;
  delete[] poly->light_alpha;
  texture_release(poly->light_texture);
  delete poly;
}

}  // namespace

void bsp_free(bsp_node* node) {
  if (!node) return;
  bsp_free(node->front);
  bsp_free(node->back);
  // A leaf's polygon, should a file give it one, belongs to it all the same.
  free_polygon(node->poly);
  delete node;
}
