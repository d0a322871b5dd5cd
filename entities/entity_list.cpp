// Growing and pruning the entity list.
#include "entities/entity_list.h"

#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/entity_codes.h"

entity* entity_append(int32_t type, entity* any) {
  entity* tail = any;
  while (tail->next) tail = tail->next;
  entity* e = new entity{};
  e->type = type;
  e->prev = tail;
  tail->next = e;
  return e;
}

void entity_unlink(entity* e) {
  e->prev->next = e->next;
  if (e->next) e->next->prev = e->prev;
}

void entity_free(entity* e) {
  delete_sound_source(e->sound_source);
  delete[] e->path;
  delete e;
}

namespace {

// The orb's owner takes its place: the first entry from the head with the
// orb's id that is not itself an orb in flight. An owner that died while its
// orb flew stays where it fell: brought back to the chase with no health it
// would die, and be counted, a second time.
void carry_out_teleport(entity* head, entity* orb) {
  entity* owner = head;
  while (owner && !(owner->id == orb->id && owner->type != ent_teleport_orb)) owner = owner->next;
  if (!owner) owner = orb;  // cannot happen: the orb itself qualifies
  orb->type = ent_marked_for_removal;
  if (owner->state == s_dying || owner->state == s_dead) return;
  for (int i = 0; i < 3; ++i) owner->pos[i] = orb->pos[i];
  owner->ai_flag = 0;
  owner->state = s_chase;
}

}  // namespace

void entities_prune(entity* head) {
  if (!head) return;
  entity* p = head->next;
  while (p) {
    if (p->type == ent_stopped_teleport_orb) carry_out_teleport(head, p);
    if (p->type != ent_marked_for_removal) {
      p = p->next;
      continue;
    }
    entity* next = p->next;
    entity_unlink(p);
    entity_free(p);
    p = next;
  }
}
