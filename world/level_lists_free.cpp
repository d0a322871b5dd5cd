// Releasing the level's navigation nodes and world-texture list.
#include "world/level_lists_free.h"

#include "base/texture_upload.h"
#include "world/ai_node.h"
#include "world/world_texture.h"

void ai_nodes_free(ai_node* first) {
  while (first) {
    ai_node* next = first->next;
    delete[] first->link_ids;
    delete[] first->links;
    delete first;
    first = next;
  }
}

void world_textures_free(world_texture* first) {
  // The table keeps the entry with id 1, which need not be the first one
  // read: start from the true beginning so that no entry is lost.
  while (first && first->prev) first = first->prev;
  while (first) {
    world_texture* next = first->next;
    texture_release(first->texture);
    delete first;
    first = next;
  }
}
