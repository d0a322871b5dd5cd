// What each kind of item does to the player that takes it.
#pragma once

#include "base/entity_codes.h"

// One kind of item. An ammunition item moves what the gun holds into its
// reserve, adds reserve_bonus and fills the gun with loaded_fill fresh
// rounds; the other fields are added as they stand.
struct pickup_kind {
  int type;
  int gun;  // gun whose ammunition it refills, -1 for none
  int reserve_bonus;
  int loaded_fill;
  int health_bonus;
  int score_bonus;
  int mice_bonus;
  const char* message;
};

// The loaded amounts are the guns' reload capacities, so each ammunition
// item leaves its gun fully loaded. Any other type of 400 or more is an
// item without effect or message.
constexpr pickup_kind pickup_kinds[] = {
    {ent_magazine, 0, 40, 60, 0, 0, 0, "Picked up a magazine."},
    {ent_shells, 1, 18, 2, 0, 0, 0, "Picked up some shells."},
    {ent_energy_cells, 2, 60, 40, 0, 0, 0, "Picked up some energy cells."},
    {ent_lbbus_cell, 3, 10, 10, 0, 0, 0, "Picked up a LBBUS cell."},
    {ent_morphine, -1, 0, 0, 50, 0, 0, "You found some morphine."},
    {ent_mouse, -1, 0, 0, 0, 3000, 1, "You caught a mouse!"},
};

// The entry of `type`, or null for an item without effect.
constexpr const pickup_kind* pickup_kind_of(int type) {
  for (const pickup_kind& kind : pickup_kinds)
    if (kind.type == type) return &kind;
  return nullptr;
}
