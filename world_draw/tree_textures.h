// Carrying a loaded level's tree from one GL context to the next.
#pragma once
#include <cstdint>
#include <vector>

struct bsp_node;

// One texture that the new context gave a new name.
struct texture_rename {
  uint32_t old_name;
  uint32_t new_name;
};

// In the new context: uploads each polygon's light map again from the
// darkness kept when the level was read, and gives each polygon the new name of the texture it
// was drawn with (a name no rename lists becomes 0, which draws
// untextured, rather than some other texture of the new context).
// Called by restart_video after the catalogue and world textures are
// loaded again.
void tree_textures_move_in(bsp_node* root, const std::vector<texture_rename>& renames);
