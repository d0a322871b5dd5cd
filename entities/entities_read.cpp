// Reading the entity section of a map file into the entity list.
#include "entities/entities_read.h"

#include <cstdio>
#include <cstring>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entity_list_free.h"
#include "world/map_stream.h"

int32_t entity_health_at_load(int32_t type) {
  switch (type) {
    case ent_mob2:
      return 600;
    case ent_mob3:
      return 200;
    case ent_mob4:
      return 1000;
    case ent_mob5:
      return 600;
    case ent_mob6:
      return 300;
    case ent_mob7:
      return 500;
    case ent_mob8:
      return 600;
    case ent_mob9:
      return 500;
    case ent_mob10:
      return 2600;
    case ent_mob13:
      return 600;
    case ent_mob14:
      return 600;
    case ent_boss1:
      return 6000;
    case ent_boss2:
      return 8000;
    default:
      return 100;
  }
}

namespace {

// Reads the four values of one record into `e`; false when rejected.
bool read_entity_values(map_stream& s, entity* e) {
  return map_read_int(s, map_list_token_size, &e->type) &&
         map_read_double(s, map_list_token_size, &e->pos[0]) &&
         map_read_double(s, map_list_token_size, &e->pos[1]) &&
         map_read_double(s, map_list_token_size, &e->pos[2]);
}

}  // namespace

void entities_read(map_stream& s, entity* previous) {
  // One pass per record, in a loop rather than one call per record so that
  // a long section stays off the stack; the log is the same.
  entity* first_tail = previous;
  int32_t records = 0;
  char header[map_entity_header_size];
  for (;;) {
    printf("reading elist..\n");
    if (!map_read_token(s, header, sizeof header)) break;
    printf("got header %s\n", header);
    if (strcmp(header, "ENT:") != 0) {
      printf("EOEL\n");
      break;
    }
    if (++records > map_max_list_records) {
      map_reject(s, "more than %d entities", map_max_list_records);
      break;
    }
    printf("new call!we\n");
    printf("allocating\n");
    entity* e = new entity{};
    printf("scanning vars\n");
    if (!read_entity_values(s, e)) {
      delete e;
      break;
    }
    printf("done scanning vars\n");
    e->frame = 1;
    e->state = 1;
    e->health = entity_health_at_load(e->type);
    e->prev = previous;
    e->id = previous ? previous->id + 1 : 1;
    if (previous) previous->next = e;
    previous = e;
  }
  if (s.failed && first_tail) {
    entity_list_free(first_tail->next);
    first_tail->next = nullptr;
  }
}
