// The per-tick walk over the level's entities.
#include "entities/entity_update.h"

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "entities/enemy_sight.h"
#include "entities/enemy_update.h"
#include "entities/pickup_update.h"
#include "entities/projectile_update.h"
#include "player/player.h"

namespace {

constexpr double exit_reach = 3.0;

void update_one(entity& e, player& p, const bsp_node* root, ai_node* nodes, entity* list, double dt) {
  if (is_enemy(e.type))
    enemy_update(e, p, root, nodes, list, dt);
  else if (is_projectile(e.type))
    projectile_update(e, p, root, list, dt);
  else if (is_pickup(e.type))
    pickup_update(&e, p);
  else if (e.type == ent_exit && distance3(e.pos, p.pos) < exit_reach)
    level_done_flag = 1;
}

}  // namespace

void entities_update(entity* head, player& p, const bsp_node* root, ai_node* nodes, entity* list, double dt) {
  if (!head) return;
  // Backwards over the prev links rather than by recursion, so a long list
  // needs no deep stack. The predecessor is taken before the update, as a
  // touched pickup frees itself.
  entity* e = head;
  while (e->next) e = e->next;
  for (;;) {
    entity* prev = e == head ? nullptr : e->prev;
    update_one(*e, p, root, nodes, list, dt);
    if (!prev) break;
    e = prev;
  }
}
