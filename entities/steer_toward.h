// Walking an enemy toward a point.
#pragma once

struct bsp_node;
struct entity;

// One step of the enemy toward `target` at its kind's speed: every 0.3 s
// (the state timer serves as the clock) its sprite turns toward the target.
// Returns 1 when it is within stop_distance + 0.05 of the target (all three
// axes) or its step was blocked (it then steps back once), 0 after a free
// step. A step blocked by a slanted floor of at most 45 degrees is taken
// raised by as much as such a slope climbs over it, so ramps are walked up.
// The y component of the velocity is left as it is.
int steer_toward(entity& e, const bsp_node* root, const double target[3], double stop_distance, double dt);
