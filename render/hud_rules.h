// The HUD's choices that depend only on the player's numbers: the face, the
// weapon image, the ammunition icon and where the loaded count starts.
#pragma once
#include <cstdint>

struct gun;

// The face cell for `health`, as left and right u of the faces image
// (drawn mirrored): above 100 the first cell, 0 or below the fifth.
void face_cell(int32_t health, double* left_u, double* right_u);

// The ammunition icon of gun `gun_index` as left and right u of the icons
// image (drawn mirrored); indexes other than 1 to 3 show gun 0's.
void ammo_icon_cell(int32_t gun_index, double* left_u, double* right_u);

// Seconds a reload of gun `gun_index` lasts, as the view model plays it.
double view_model_reload_time(int32_t gun_index);

// The image index f of an animation of `images` images lasting `duration`
// seconds, `timer` seconds in: N - 1 first, counting down to 0.
int32_t view_model_frame(int32_t images, double duration, double timer);

// The texture slot of the weapon image for gun `gun_index` in its state
// (reloading, firing or idle), or -1 when nothing is drawn.
int32_t view_model_slot(int32_t gun_index, const gun& g, int32_t reloading, int32_t health);

// The x at which the loaded count starts, so one or two digits end at 0.5.
double loaded_number_x(int32_t loaded);
