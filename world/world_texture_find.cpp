// Resolving a polygon's texid to a GL texture.
#include "world/world_texture_find.h"

#include "world/world_texture.h"

uint32_t world_texture_find(const world_texture* head, uint32_t default_texture, int32_t texid) {
  for (; head; head = head->next)
    if (head->id == texid) return head->texture;
  return default_texture;
}
