// Items on the floor: ammunition, morphine and mice, taken by walking over them.
#include "entities/pickup_update.h"

#include <cmath>
#include <cstdio>

#include "base/entity.h"
#include "entities/entity_list.h"
#include "entities/pickup_update_table.h"
#include "player/player.h"

namespace {

double distance_to_feet(const entity& item, const player& p) {
  const double dx = item.pos[0] - p.pos[0];
  const double dy = item.pos[1] - p.pos[1];
  const double dz = item.pos[2] - p.pos[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void apply(const pickup_kind& kind, player& p) {
  if (kind.gun >= 0 && kind.gun < gun_count) {
    gun& g = p.guns[kind.gun];
    g.reserve += g.loaded + kind.reserve_bonus;
    g.loaded = kind.loaded_fill;
  }
  p.health += kind.health_bonus;
  p.score += kind.score_bonus;
  p.mice += kind.mice_bonus;

  // A second item while a message shows replaces the text, not its age.
  p.pickup_message_flag = 1;
  snprintf(p.pickup_message, sizeof p.pickup_message, "%s", kind.message);
}

}  // namespace

void pickup_update(entity* item, player& p) {
  if (!item || !item->prev) return;  // the list head is never an item
  if (distance_to_feet(*item, p) >= pickup_touch_distance) return;
  // A corpse that slides or falls onto morphine must not come back to life.
  if (p.health <= 0) return;

  printf("pickup?\n");
  if (const pickup_kind* kind = pickup_kind_of(item->type)) apply(*kind, p);

  entity_unlink(item);
  entity_free(item);
}
