// The enemy states that shoot: aiming at the player and firing volleys.
#pragma once

struct entity;
struct enemy_context;

// The handlers share their names with the states they run, so they live
// in a namespace of their own.
namespace enemy_states {

// Takes aim for the kind's aim time (twice that on Easy; the direction of
// the shots is fixed on the first tick), then fires (s_fire). Losing sight of the player sends it
// to find a route unless the aim time runs out in the same tick. mob5
// throws its teleport orb once while aiming.
void s_aim(entity& e, enemy_context& c);

// Every 0.3 s fires the kind's volley and counts the burst; when the burst
// is over and the player is out of range it chases again, otherwise it
// fires again (mob2, mob3, mob6, mob13) or aims anew.
void s_fire(entity& e, enemy_context& c);

}  // namespace enemy_states
