// Reading the compiler's own quick level format: a character grid with a legend.
#pragma once
#include <string>

#include "tools/mapc/mapc_source.h"

// Parses a grid level. The text holds commands, one per line ("//" starts a
// comment), and one grid block:
//   cell SIZE                      world units per character, in x and z
//   minlight VALUE                 ambient floor of the light, 0..255
//   solid CHAR TEXTURE             CHAR marks solid rock faced with TEXTURE
//   kind NAME FLOOR CEILING FLOOR_TEX CEILING_TEX WALL_TEX
//                                  an open cell type: floor and ceiling heights,
//                                  their textures, and the texture of the steps and
//                                  lintels its floor and ceiling make
//   key CHAR KIND [CLASS [KEY VALUE]...]
//                                  CHAR is an open cell of KIND, holding an entity
//                                  of CLASS (player_start, ent_mob3, light, ...);
//                                  keys: height (above the floor), and for lights
//                                  light, wait, delay
//   grid ... end                   the rows of the level, north (-z) at the top,
//                                  column 0 at x = 0
// A space is solid like the first solid character; the grid gets a ring of
// solid around it, so it never leaks at its edges.
bool mapc_parse_grid(const std::string& text, const std::string& file, mapc_source& out, mapc_log& log);
