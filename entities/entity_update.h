// The per-tick walk over the level's entities.
#pragma once

struct ai_node;
struct bsp_node;
struct entity;
struct player;

// Updates every entity from the tail of the list back to `head`, by type:
// enemies (200-299), projectiles (300-399), pickups (400 and more) and the
// exit (2), which completes the level when the player comes within 3.0.
// Shots spawned during the walk land behind the tail and first move on the
// next tick; a touched pickup frees itself during the walk. Called once per
// game tick with the list head, before entities_prune.
void entities_update(entity* head, player& p, const bsp_node* root, ai_node* nodes, entity* list, double dt);
