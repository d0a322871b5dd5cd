// Carrying a loaded level's tree from one GL context to the next.
#pragma once
#include <cstdint>
#include <vector>

struct bsp_node;
struct bsp_polygon;

// The texels of one polygon's light map, read back from the context that
// made it.
struct light_map_copy {
  bsp_polygon* poly;
  int32_t width;
  int32_t height;
  std::vector<uint8_t> rgba;
};

// One texture that the new context gave a new name.
struct texture_rename {
  uint32_t old_name;
  uint32_t new_name;
};

// Reads every light map of the tree under `root` back from the current
// context, before that context goes. The tree must stay as it is until
// tree_textures_move_in.
std::vector<light_map_copy> tree_light_maps_read_back(bsp_node* root);

// In the new context: uploads the copied light maps as new textures for
// their polygons, and gives each polygon the new name of the texture it
// was drawn with (a name no rename lists becomes 0, which draws
// untextured, rather than some other texture of the new context).
// Called by restart_video after the catalogue and world textures are
// loaded again.
void tree_textures_move_in(bsp_node* root, const std::vector<light_map_copy>& light_maps,
                           const std::vector<texture_rename>& renames);
