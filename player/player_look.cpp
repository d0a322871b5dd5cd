// Turning the player's view by the mouse, and the trigger.
#include "player/player_look.h"

#include <cmath>

#include "config/mouse_state.h"
#include "player/player.h"
#include "player/player_weapons_controls.h"

namespace {

// What is left after the one wrap of a turn of more than a whole circle in
// a tick (a fast flick, a high mouse speed) is wrapped whole, so the pitch
// lands where the clamp below can hold it: a pitch of -300 or 500 would
// otherwise stay, and send the next shot behind the player.
double wrap_rest(double angle) {
  if (angle >= 0.0 && angle <= 360.0) return angle;
  angle = std::fmod(angle, 360.0);
  return angle < 0.0 ? angle + 360.0 : angle;
}

}  // namespace

void player_look(player& p, const key_state& keys, double dt, const mouse_state& mouse) {
  p.pitch -= mouse.y_motion * p.mouse_speed_y;
  p.yaw -= mouse.x_motion * p.mouse_speed_x;

  // One wrap each, which is all a turn of less than a circle needs.
  if (p.yaw > 360.0) p.yaw -= 360.0;
  if (p.pitch > 360.0) p.pitch -= 360.0;
  if (p.yaw < 0.0) p.yaw += 360.0;
  if (p.pitch < 0.0) p.pitch += 360.0;
  p.yaw = wrap_rest(p.yaw);
  p.pitch = wrap_rest(p.pitch);

  // Exactly 180 is left alone.
  if (p.pitch > 90.0 && p.pitch < 180.0)
    p.pitch = 90.0;
  else if (p.pitch > 180.0 && p.pitch < 270.0)
    p.pitch = 270.0;

  // A dead player's trigger and fire clock stay as they were.
  if (p.health > 0) trigger_update(p, keys, mouse, dt);
}
