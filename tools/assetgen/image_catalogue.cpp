// Every image path of the data tree with the routine that draws it.
#include "tools/assetgen/image_catalogue.h"

#include <cstdio>

#include "tools/assetgen/enemy_kinds.h"
#include "tools/assetgen/font_images.h"
#include "tools/assetgen/hud_images.h"
#include "tools/assetgen/icon_image.h"
#include "tools/assetgen/item_images.h"
#include "tools/assetgen/screen_images.h"
#include "tools/assetgen/sky_images.h"
#include "tools/assetgen/sprite_sheets.h"
#include "tools/assetgen/weapon_images.h"
#include "tools/assetgen/world_textures.h"

namespace {

// Weapon folders with their first and last frame numbers on disk.
struct weapon_folder {
  const char* name;
  int code;  // gun index * 2, plus 1 for a reload folder
  int first, last;
};

const weapon_folder weapon_folders[] = {
    {"g0f", 0, 0, 9}, {"g1f", 2, 1, 4},  {"g1r", 3, 1, 11}, {"g2f", 4, 1, 4},  {"g2r", 5, 1, 14},
    {"g3f", 6, 1, 4}, {"g3r", 7, 1, 17}, {"g4f", 8, 0, 5},  {"g4r", 9, 0, 27},
};

}  // namespace

std::vector<image_job> image_catalogue() {
  const webp_mode exact = webp_mode::lossless, photo = webp_mode::lossy;
  std::vector<image_job> jobs = {
      {"textures/blood.webp", draw_blood, 0, exact},
      {"textures/tarvo.webp", draw_default_world_texture, 0, exact},
      {"textures/font_1.webp", draw_font_image, 1, exact},
      {"textures/font_2.webp", draw_font_image, 2, exact},
      {"textures/hudfaces.webp", draw_hud_faces, 0, exact},
      {"textures/hudicons.webp", draw_hud_icons, 0, exact},
      {"textures/xhair.webp", draw_scope, 0, exact},
      {"textures/sky/sky.webp", draw_sky, 1, photo},
      {"textures/sky/sky2.webp", draw_sky, 2, photo},
  };
  char path[64];
  for (const weapon_folder& f : weapon_folders)
    for (int n = f.first; n <= f.last; ++n) {
      snprintf(path, sizeof path, "textures/gun/%s/%d.webp", f.name, n);
      jobs.push_back({path, draw_weapon_frame, f.code * 100 + n, exact});
    }
  jobs.push_back({"textures/prop/prop1.webp", draw_prop, 1, exact});
  jobs.push_back({"textures/prop/prop2.webp", draw_prop, 2, exact});
  for (int i = 0; i < enemy_sheet_count; ++i)
    jobs.push_back({enemy_sheet_at(i).path, draw_enemy_sheet, i, exact});
  for (int k = 1; k <= 7; ++k) {
    snprintf(path, sizeof path, "textures/mob/proj%d.webp", k);
    jobs.push_back({path, draw_projectile, k, exact});
  }
  const char* items[7] = {"mouse", "health", "gun1_i", "gun2_i", "gun3_i", "gun4_i", "portal"};
  for (int k = 0; k < 7; ++k) {
    snprintf(path, sizeof path, "textures/items/%s.webp", items[k]);
    jobs.push_back({path, draw_item, k, exact});
  }
  jobs.push_back({"textures/logo.webp", draw_screen, 0, photo});
  jobs.push_back({"textures/title.webp", draw_screen, 1, photo});
  jobs.push_back({"textures/title2.webp", draw_screen, 2, photo});
  jobs.push_back({"textures/icon.webp", draw_icon_image, 0, exact});
  for (int i = 0; i < world_texture_count; ++i) {
    snprintf(path, sizeof path, "textures/world/%s.webp", world_texture_name(i));
    jobs.push_back({path, draw_world_texture, i, exact});
  }
  return jobs;
}
