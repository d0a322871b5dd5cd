// The enemies' positional sources: given at level load, deleted with the entities.
#include "game/entity_sources.h"

#include <cstdio>

#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/entity_codes.h"

void give_entity_sources(entity* first) {
  int missed = 0;
  uint32_t last_error = 0;
  for (entity* e = first; e; e = e->next) {
    if (!(is_enemy(e->type) || is_projectile(e->type) || is_pickup(e->type)) || e->sound_source != 0)
      continue;
    uint32_t error = 0;
    e->sound_source = generate_sound_source(&error);
    if (error != 0) {
      ++missed;
      last_error = error;
    }
  }
  // The mixer has a limit on sources; enemies past it stay silent.
  if (missed > 0) printf("sound: %d enemies got no source (OpenAL error 0x%x)\n", missed, last_error);
}

void delete_entity_sources(entity* first) {
  for (entity* e = first; e; e = e->next) delete_sound_source(e->sound_source);
}
