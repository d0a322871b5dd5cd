// The frame's rules that depend only on the player: eye, fade and view angle.
#include "render/frame_rules.h"

#include "player/player.h"

double eye_height(const player& p) {
  if (p.health > 0) return p.crouch ? 1.125 : 2.25;
  if (p.death_timer <= 2.0) return 2.25 - 0.5625 * p.death_timer;
  return 0.0;
}

void eye_position(const player& p, double eye[3]) {
  eye[0] = p.pos[0];
  eye[1] = p.pos[1] + eye_height(p);
  eye[2] = p.pos[2];
}

double death_fade_alpha(double death_timer) {
  if (death_timer <= 6.0) return death_timer / 6.0;
  return 1.0;
}

double view_fov(uint8_t zoom_flag, int32_t fov) { return zoom_flag ? 35.0 : static_cast<double>(fov); }
