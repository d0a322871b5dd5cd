// The HUD's choices that depend only on the player's numbers: the face, the
// weapon image, the ammunition icon and where the loaded count starts.
#include "render/hud_rules.h"

#include "base/texture_table.h"
#include "player/gun.h"

void face_cell(int32_t health, double* left_u, double* right_u) {
  int cell;
  if (health > 100)
    cell = 0;
  else if (health >= 71)
    cell = 1;
  else if (health >= 31)
    cell = 2;
  else if (health >= 1)
    cell = 3;
  else
    cell = 4;
  *left_u = (cell + 1) / 7.0;
  *right_u = cell / 7.0;
}

void ammo_icon_cell(int32_t gun_index, double* left_u, double* right_u) {
  int cell = gun_index >= 1 && gun_index <= 3 ? gun_index : 0;
  // Cell 0 of the icons image is the health icon; the guns follow it.
  *left_u = (cell + 2) * 0.2;
  *right_u = (cell + 1) * 0.2;
}

double view_model_reload_time(int32_t gun_index) {
  if (gun_index == 1) return 1.2;
  if (gun_index == 4) return 0.25;
  return 2.0;
}

int32_t view_model_frame(int32_t images, double duration, double timer) {
  if (images <= 1) return 0;
  for (int32_t j = 0; j < images; ++j) {
    if ((j + 1) * duration / (images - 1) > timer) return images - 1 - j;
  }
  return 0;
}

int32_t view_model_slot(int32_t gun_index, const gun& g, int32_t reloading, int32_t health) {
  if (gun_index < 0 || gun_index >= gun_count) return -1;
  bool firing = !reloading && g.trigger && g.loaded != 0 && health != 0;
  int32_t n = g.fire_images;
  int32_t f = 0;
  if (reloading) {
    n = g.reload_images;
    f = view_model_frame(n, view_model_reload_time(gun_index), g.fire_timer);
  } else if (firing) {
    f = view_model_frame(n, g.fire_interval, g.fire_timer);
  }
  int32_t slot = -1;
  switch (gun_index) {
    case 0:
      slot = reloading ? 24 + f : 20 + f;
      break;
    case 1:
      slot = reloading ? 40 + (n - f) : 37 + f;
      break;
    case 2:
      slot = reloading ? 59 + f : 55 + f;
      break;
    case 3:
      slot = reloading ? 82 + (n - f) : 76 + (n - f);
      break;
    default:
      slot = reloading ? 9 + f : 9;
      break;
  }
  if (slot < 0 || slot >= texture_slot_count) return -1;
  return slot;
}

double loaded_number_x(int32_t loaded) { return loaded < 10 ? 0.4 : 0.3; }
