// Turning the player's view by the mouse, and the trigger.
#include "player/player_look.h"

#include "config/mouse_state.h"
#include "entities/player_weapons_controls.h"
#include "player/player.h"

void player_look(player& p, const key_state& keys, double dt, const mouse_state& mouse) {
  p.pitch -= mouse.y_motion * p.mouse_speed_y;
  p.yaw -= mouse.x_motion * p.mouse_speed_x;

  // One wrap each: a turn of more than a whole circle in a tick is left
  // for the next tick to finish.
  if (p.yaw > 360.0) p.yaw -= 360.0;
  if (p.pitch > 360.0) p.pitch -= 360.0;
  if (p.yaw < 0.0) p.yaw += 360.0;
  if (p.pitch < 0.0) p.pitch += 360.0;

  // Exactly 180 is left alone.
  if (p.pitch > 90.0 && p.pitch < 180.0)
    p.pitch = 90.0;
  else if (p.pitch > 180.0 && p.pitch < 270.0)
    p.pitch = 270.0;

  // A dead player's trigger and fire clock stay as they were.
  if (p.health > 0) trigger_update(p, keys, mouse, dt);
}
