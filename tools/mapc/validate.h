// Checks that make a level source fail to compile, with their messages.
#pragma once
#include <string>

#include "tools/mapc/bsp_build.h"
#include "tools/mapc/mapc_source.h"
#include "tools/mapc/nav.h"
#include "tools/mapc/portals.h"

// Leaks: an entity or light whose leaf the flood from outside reached
// (mapc_flood_outside). The first one found writes the way out (map
// coordinates, one point a line, from the entity through the portals' centres
// to the box around the level, as TrenchBroom's "Load Point File" reads) to
// `point_file` when that is not empty. False when the level leaks.
bool mapc_check_leaks(const mapc_source& src, const mapc_tree& tree, const mapc_portals& portals,
                      const std::string& point_file, mapc_log& log);

// A player start exists; no entity or light sits inside solid; every texture
// exists as TEXTURE_DIR/NAME.webp (skipped when texture_dir is empty); the
// exit can be reached from the first player start; in a level without an
// exit, every enemy whose death ends it (ent_mob10, ent_boss1, ent_boss2) can.
bool mapc_check_level(const mapc_source& src, const mapc_tree& tree, const mapc_floor_spots& spots,
                      const std::vector<std::string>& textures, const std::string& texture_dir,
                      mapc_log& log);
