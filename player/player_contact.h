// Slowing the player down next to enemies and decorations.
#pragma once

struct entity;
struct player;

// Quarters the tick's acceleration once for every decoration or enemy
// (types 100 to 299) closer than 1.5 that is not dead (state 8); several
// compound. Called by player_update after the drag.
void player_contact_slowdown(player& p, const entity* entity_list);
