// The frame's rules that depend only on the player: eye, fade and view angle.
#pragma once
#include <cstdint>

struct player;

// The eye's height above the player's feet: 2.25 standing, 1.125
// crouched; once dead it sinks to 1.125 over two seconds, then to the feet.
double eye_height(const player& p);

// The eye for this frame: the player's position raised by eye_height.
void eye_position(const player& p, double eye[3]);

// Alpha of the red death fade: death_timer / 6, full after six seconds.
double death_fade_alpha(double death_timer);

// Vertical field of view of the game's perspective: 35 degrees while
// zoomed, otherwise the configured one.
double view_fov(uint8_t zoom_flag, int32_t fov);
