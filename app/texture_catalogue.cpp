// The fixed catalogue of images and the numbered slots they load into.
#include "app/texture_catalogue.h"

#include <cstdio>

#include "base/texture_load.h"
#include "base/texture_table.h"

namespace {

// A run of catalogue images: single files, or numbered frames of one folder
// (first_frame to first_frame + count - 1 into consecutive slots).
struct catalogue_run {
  const char* path;  // a file, or a folder of frames when count > 0
  int slot;
  int first_frame;
  int count;
};

// In load order; the order shows in the log.
const catalogue_run runs[] = {
    {"data/textures/blood.webp", 0, 0, 0},
    {"data/textures/font_1.webp", 2, 0, 0},
    {"data/textures/font_2.webp", 3, 0, 0},
    {"data/textures/hudfaces.webp", 4, 0, 0},
    {"data/textures/hudicons.webp", 5, 0, 0},
    {"data/textures/tarvo.webp", 1, 0, 0},
    {"data/textures/sky/sky.webp", 7, 0, 0},
    {"data/textures/sky/sky2.webp", 8, 0, 0},
    {"data/textures/gun/g1f", 20, 1, 4},
    {"data/textures/gun/g1r", 24, 1, 11},
    {"data/textures/gun/g2f", 37, 1, 4},
    {"data/textures/gun/g2r", 41, 1, 14},
    {"data/textures/gun/g3f", 55, 1, 4},
    {"data/textures/gun/g3r", 59, 1, 17},
    {"data/textures/gun/g4f", 76, 0, 6},
    {"data/textures/gun/g4r", 82, 0, 28},
    {"data/textures/gun/g0f", 9, 0, 10},
    {"data/textures/prop/prop1.webp", 110, 0, 0},
    {"data/textures/prop/prop2.webp", 111, 0, 0},
    {"data/textures/mob/mob1.webp", 120, 0, 0},
    {"data/textures/mob/mob2.webp", 121, 0, 0},
    {"data/textures/mob/mob3.webp", 122, 0, 0},
    {"data/textures/mob/mob4.webp", 123, 0, 0},
    {"data/textures/mob/mob5.webp", 124, 0, 0},
    {"data/textures/mob/mob6.webp", 125, 0, 0},
    {"data/textures/mob/mob7.webp", 126, 0, 0},
    {"data/textures/mob/mob8.webp", 127, 0, 0},
    {"data/textures/mob/mob9.webp", 128, 0, 0},
    {"data/textures/mob/mob10.webp", 129, 0, 0},
    {"data/textures/mob/mob13.webp", 130, 0, 0},
    {"data/textures/mob/mob14.webp", 131, 0, 0},
    {"data/textures/mob/boss1.webp", 132, 0, 0},
    {"data/textures/mob/boss2.webp", 133, 0, 0},
    {"data/textures/mob/proj1.webp", 140, 0, 0},
    {"data/textures/mob/proj2.webp", 141, 0, 0},
    {"data/textures/mob/proj3.webp", 142, 0, 0},
    {"data/textures/mob/proj4.webp", 143, 0, 0},
    {"data/textures/mob/proj5.webp", 144, 0, 0},
    {"data/textures/mob/proj6.webp", 145, 0, 0},
    {"data/textures/mob/proj7.webp", 146, 0, 0},
    {"data/textures/items/mouse.webp", 150, 0, 0},
    {"data/textures/items/health.webp", 151, 0, 0},
    {"data/textures/items/gun1_i.webp", 152, 0, 0},
    {"data/textures/items/gun2_i.webp", 153, 0, 0},
    {"data/textures/items/gun3_i.webp", 154, 0, 0},
    {"data/textures/items/gun4_i.webp", 155, 0, 0},
    {"data/textures/items/portal.webp", 156, 0, 0},
    {"data/textures/xhair.webp", 6, 0, 0},
    {"data/textures/logo.webp", 160, 0, 0},
    {"data/textures/title.webp", 161, 0, 0},
    {"data/textures/title2.webp", 162, 0, 0},
};

}  // namespace

catalogue_entry catalogue_image(int index) {
  catalogue_entry entry{};
  entry.slot = -1;
  for (const catalogue_run& run : runs) {
    int images = run.count > 0 ? run.count : 1;
    if (index >= images) {
      index -= images;
      continue;
    }
    if (run.count > 0) {
      snprintf(entry.path, sizeof entry.path, "%s/%d.webp", run.path, run.first_frame + index);
      entry.slot = run.slot + index;
    } else {
      snprintf(entry.path, sizeof entry.path, "%s", run.path);
      entry.slot = run.slot;
    }
    break;
  }
  return entry;
}

void load_texture_catalogue(texture_table& textures) {
  for (int i = 0; i < catalogue_image_count; ++i) {
    catalogue_entry entry = catalogue_image(i);
    if (entry.slot < 0 || entry.slot >= texture_slot_count) continue;
    texture_image* kept = entry.slot == tex_default_world ? &textures.default_world_image : nullptr;
    textures.slots[entry.slot] = load_texture(entry.path, false, kept, &textures.slot_blocks[entry.slot]);
  }
}
