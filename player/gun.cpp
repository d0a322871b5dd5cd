// The player's weapon record.
#include "player/gun.h"

void gun_initial_values(gun (&guns)[gun_count]) {
  // The fire timers start just above 0 so that no gun fires before its
  // trigger is pressed.
  guns[0] = gun{0.2, 0.0001, 0, 25, 200, 60, 4, 11};
  guns[1] = gun{0.5, 0.0001, 0, 45, 0, 0, 4, 14};
  guns[2] = gun{0.2, 0.0001, 0, 70, 0, 0, 5, 17};
  guns[3] = gun{0.6, 0.0001, 0, 70, 0, 0, 6, 26};
  guns[4] = gun{0.25, 0.0001, 0, 100, 0, 1, 1, 9};
}
