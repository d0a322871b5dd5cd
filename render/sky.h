// The sky: five faces of a cube around the eye, turned with the view only.
#pragma once
#include <cstdint>

// Draws the sky cube of half size `half_size` centred on the eye with the
// sky image on each face (no bottom face), rotated by the view's pitch and
// yaw (degrees) but never moved. Called by render_frame before the world,
// with depth function "always", so the world drawn after covers it.
void draw_sky(double yaw, double pitch, uint32_t sky_texture, double half_size);
