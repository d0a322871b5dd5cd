// The animation clock every enemy state handler but two ends with.
#pragma once

struct entity;

// How a state moves the frame on when the clock fires.
enum animation_rule {
  anim_hold_first,  // idle, finding a path: held at 1
  anim_walk,        // chasing, following a path: 2, 3, 4, 5, 2 ...
  anim_pain,        // climbs to 6 and holds
  anim_dying,       // from the frame the handler started with, 1 after 5
  anim_aim,         // climbs to 9 (11 for a boss in phase 0) and holds
  anim_fire,        // climbs to 10 (12 for a boss in phase 0) and holds
  anim_revive,      // 1 to 5 round again
};

// Adds dt to the enemy's animation timer; once it passes the limit (0.2 s,
// or 0.4 s for the three large kinds while dying) the timer restarts and
// the frame moves on by `rule`. `frame_at_start` is the frame the handler
// began its tick with (the dying rule counts from it).
void animation_clock(entity& e, animation_rule rule, int frame_at_start, double dt);
