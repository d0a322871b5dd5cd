// The enemy states of its life cycle: waiting, pain, dying, dead, reviving.
#pragma once

struct entity;
struct enemy_context;

// The handlers share their names with the states they run, so they live
// in a namespace of their own.
namespace enemy_states {

// Waits until the enemy sees the player: the worker then looks for a place
// to flee to (s_get_path), any other enemy chases (s_chase).
void s_idle(entity& e, enemy_context& c);

// Flinches for a moment after a hit; the heavy kinds then shoot back
// (s_aim), the others wait again (s_idle).
void s_pain(entity& e, enemy_context& c);

// Plays the dying cells; at the last one the enemy is dead, and a boss's or
// level 4's mob10's death may complete the level.
void s_dying(entity& e, enemy_context& c);

// A corpse. Only ent_mob9 counts down to its revival, unless a player's
// projectile marked it to stay dead.
void s_dead(entity& e, enemy_context& c);

// Gets back up over one second with 1 hit point, then chases at full health.
void s_revive(entity& e, enemy_context& c);

}  // namespace enemy_states
