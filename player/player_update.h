// The player's whole tick: look, keys, drag, contact, walls, fall, weapon.
#pragma once

struct bsp_node;
struct entity;
struct key_state;
struct mouse_state;
struct player;

// Runs one tick of the player against the level: the zoom and death timer,
// the hit markers' ageing, look, the keyboard (while alive), drag, the
// slow-down next to enemies and decorations, the head check, the wall pass,
// the fall pass (unless thrusting), the gun in hand firing at the entities,
// the pickup message's timer and the death plane at y = -100. Called by the
// game tick after the entities.
void player_update(player& p, const key_state& keys, const bsp_node* root, entity* entity_list, double dt,
                   const mouse_state& mouse);
