// Writing a compiled level as a text map file.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/bsp_build.h"
#include "tools/mapc/light.h"
#include "tools/mapc/mapc_source.h"
#include "tools/mapc/nav.h"

// A real as the file holds it: at most four decimals, no trailing zeros, never "-0".
std::string mapc_format_real(double v);

// The texture list of the tree: every face's texture name once, ids from 1 in
// order of first use.
std::vector<std::string> mapc_texture_list(const mapc_tree& tree);

// The whole file: navigation nodes, entities, the texture list ("NAME.webp"),
// then the tree with its polygons (quads whose corners 0 to 3 are the light
// map's) and their light grids.
std::string mapc_write_map(const std::vector<mapc_nav_node>& nav, const std::vector<mapc_entity>& entities,
                           const std::vector<std::string>& textures, const mapc_tree& tree,
                           const std::vector<mapc_light_grid>& grids);
