// The fixed catalogue of images and the numbered slots they load into.
#pragma once

struct texture_table;

// The number of images in the catalogue.
constexpr int catalogue_image_count = 140;

// One catalogue image: its path and its slot.
struct catalogue_entry {
  char path[64];
  int slot;
};

// The catalogue's image `index` (0 to catalogue_image_count - 1) in load
// order.
catalogue_entry catalogue_image(int index);

// Loads every catalogue image without mipmaps into its slot, in load order.
// A missing image leaves 0 in its slot and the loading goes on. Called at
// start-up and by restart_video.
void load_texture_catalogue(texture_table& textures);
