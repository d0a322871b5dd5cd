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

// A real of the tree section: as mapc_format_real when that reads back as
// the same number, otherwise with every digit it needs (a slanted plane's
// normal, a corner where slanted planes meet), so the game's planes are
// the compiler's.
std::string mapc_format_exact(double v);

// The texture list of the tree: every face's texture name once, ids from 1 in
// order of first use.
std::vector<std::string> mapc_texture_list(const mapc_tree& tree);

// The whole file: navigation nodes, entities, the texture list ("NAME.webp"),
// then the tree with its polygons (four corners each, the light map's quad) and their light grids.
std::string mapc_write_map(const std::vector<mapc_nav_node>& nav, const std::vector<mapc_entity>& entities,
                           const std::vector<std::string>& textures, const mapc_tree& tree,
                           const std::vector<mapc_light_grid>& grids);
