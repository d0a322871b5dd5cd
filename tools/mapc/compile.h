// The compiler core: a level source to the text of a map file.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/bsp_build.h"
#include "tools/mapc/light.h"
#include "tools/mapc/mapc_source.h"
#include "tools/mapc/nav.h"

// What a compile may check and write besides the map text.
struct mapc_options {
  std::string texture_dir;  // where NAME.webp must exist; empty: no texture check
  std::string point_file;   // where a leak's way out is written; empty: not written
  bool progress = false;    // print a line per pass once the compile has taken over a second
  bool vis = false;         // work out which leaves see which (mapc_result::vis_file)
};

// Everything a compile produced, kept for the summary, the preview and tests.
struct mapc_result {
  std::vector<mapc_face> surface;  // the union's faces before the tree cut them
  mapc_tree tree;
  std::vector<mapc_light_grid> grids;
  std::vector<char> facing_void;  // per tree face: it looks into the void around the level
  mapc_floor_spots spots;
  std::vector<mapc_nav_node> nav;
  std::vector<std::string> textures;
  std::string text;      // the map file
  std::string vis_file;  // the leaves' visible sets, when asked for (mapc_vis_file)
  int vis_clusters = 0;  // the cells sight was followed through
  int vis_portals = 0;   // one-way portals between them
  int vis_gave_up = 0;   // portals whose flow ran out of steps (their sets from plane tests alone)
  int link_count;
  double seconds;
};

// Reads a source file: ".map" files as Quake maps, anything else as a grid level.
bool mapc_load_source(const std::string& path, mapc_source& src, mapc_log& log);

// Surface, leak check, tree, checks, light, navigation graph and file text.
// False (with the errors in the log) when the level cannot be compiled.
bool mapc_compile(const mapc_source& src, const mapc_options& options, mapc_result& out, mapc_log& log);

// "POLYGONS polygons, NODES nodes, depth D, N nav nodes, L links, T s".
std::string mapc_summary(const mapc_result& r);
