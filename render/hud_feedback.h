// What the HUD adds so a fight can be read: a red flash when the player is
// hurt, and a crosshair where the shots go.
#pragma once
#include <cstdint>

struct bsp_node;
struct player;

// The hurt flash's state, kept by the renderer from one game frame to the
// next.
struct hurt_flash {
  int32_t last_health;  // the health the previous frame showed
  double peak;          // the tint's alpha when the last hurt came
  double age;           // seconds since then
};

// Seconds a flash takes to fade out.
constexpr double hurt_flash_time = 0.3;

// Follows the health from one game frame to the next (dt apart): a loss
// while alive starts a flash that is stronger the more was lost (and adds
// to one still showing). On the first frame after a screen (`fresh`, a
// level's start) the health is only noted. Called by render_frame.
void hurt_flash_update(hurt_flash& flash, const player& p, double dt, bool fresh);

// The red tint's alpha now: the peak falling to 0 over hurt_flash_time.
double hurt_flash_alpha(const hurt_flash& flash);

// The height in the screen square (-1 to 1) of the point the player's
// instant shots strike first, straight above or below the middle: the
// middle itself, except while crouched, when the shots leave from above the
// eye. `fov` is the vertical field of view in degrees.
double crosshair_height(const player& p, const bsp_node* root, double fov);

// The crosshair in the middle of a window `width` x `height` pixels, at the
// height y of the view (-1 at its bottom edge, 1 at its top): four white arms around a gap, outlined in black
// so it shows on light and dark walls alike, sized in pixels (larger on larger windows).
void draw_crosshair(double y, int32_t width, int32_t height);
