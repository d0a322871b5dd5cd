// Reading the world-texture section of a map file.
#include "world/world_textures_read.h"

#include <cstdio>
#include <cstring>

#include "base/texture_load.h"
#include "base/texture_table.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"
#include "world/world_texture.h"

namespace {

// Frees the entries after `tail_before` (or the whole chain from `first`
// when there was no entry before) and cuts them off.
void free_new_entries(world_texture* tail_before, world_texture* first) {
  if (!first) return;
  if (tail_before) tail_before->next = nullptr;
  first->prev = nullptr;
  world_textures_free(first);
}

}  // namespace

void world_textures_read(map_stream& s, texture_table& table, world_texture* previous) {
  world_texture* tail_before = previous;
  world_texture* first = nullptr;
  world_texture* id1_entry = nullptr;
  int32_t records = 0;
  char header[map_list_token_size];
  for (;;) {
    if (!map_read_token(s, header, sizeof header)) break;
    printf("got header %s\n", header);
    if (strcmp(header, "TEXTURE:") != 0) {
      printf("EOTC\n");
      break;
    }
    if (++records > map_max_textures) {
      map_reject(s, "more than %d world textures", map_max_textures);
      break;
    }
    printf("new call\n");
    world_texture* entry = new world_texture{};
    int32_t id = 0;
    if (!map_read_int(s, map_list_token_size, &id) || !map_read_token(s, entry->path, sizeof entry->path)) {
      delete entry;
      break;
    }
    entry->id = id;
    printf("texID = %d\n", entry->id);
    printf("path is \"%s\"\n", entry->path);
    entry->texture = load_texture(entry->path, true, &entry->image);
    printf("child->texture = %d\n", static_cast<int>(entry->texture));
    entry->prev = previous;
    if (entry->id == 1) id1_entry = entry;
    if (previous) previous->next = entry;
    if (!first) first = entry;
    previous = entry;
  }
  if (s.failed) {
    free_new_entries(tail_before, first);
    return;
  }
  if (id1_entry) {
    table.world_textures = id1_entry;
  } else if (first && !tail_before) {
    printf("map \"%s\": no world texture has id 1, so none of the %d can be used\n", s.name, records);
    free_new_entries(tail_before, first);
  }
}
