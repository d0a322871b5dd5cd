// One enemy's tick: death and scoring, gravity, the boss push, its state.
#pragma once

struct ai_node;
struct bsp_node;
struct entity;
struct player;

// Counts a death (kills + 1, the kind's score) the first tick health is 0
// or less outside dying and dead, moves the enemy against the world, lets a
// boss push a close player away, then runs the handler of its state.
void enemy_update(entity& e, player& p, const bsp_node* root, ai_node* nodes, entity* list, double dt);

// Gravity and unsticking: with no floor within 0.2 below the feet the enemy
// falls at 30 units per second (and loses its walking speed); feet sunk in
// the floor are raised in steps of 0.05 ("sunk!") by at most 2.0, after
// which three diagonal points one unit away are tried.
void enemy_world_motion(entity& e, const bsp_node* root, double dt);

// Whether the enemy, where it is, would drop by a step in its next tick:
// no floor within 0.2 below its feet, and room for the step. A falling
// body that has come to rest less than a step above the floor is not
// falling. Asked by mob5 before it throws its orb.
bool enemy_falling(const entity& e, const bsp_node* root, double dt);
