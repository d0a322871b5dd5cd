// The enemy states that move it: chasing the player, finding and walking a route.
#pragma once

struct entity;
struct enemy_context;

// The handlers share their names with the states they run, so they live
// in a namespace of their own.
namespace enemy_states {

// Walks straight at the player while it can see it, stopping 5 units short;
// after 1.2 s (2.0 s for boss1) of chasing, or at a gap in the floor, it
// stops to aim (s_aim). Out of sight at exactly the player's height it
// looks for a route (s_get_path).
void s_chase(entity& e, enemy_context& c);

// Finds a route over the navigation graph from the node nearest the enemy
// to the node nearest the player (for the worker: to the first node the
// player cannot see) and sets off along it (s_follow_path), or walks to the
// one node when both ends are the same (s_go_to_node); idles when there is
// no way.
void s_get_path(entity& e, enemy_context& c);

// Walks the route node by node; seeing the player (the worker excepted) it
// chases again; at the route's end it looks for a new one.
void s_follow_path(entity& e, enemy_context& c);

// Walks to the single target node; seeing the player (the worker excepted)
// it chases again.
void s_go_to_node(entity& e, enemy_context& c);

}  // namespace enemy_states
