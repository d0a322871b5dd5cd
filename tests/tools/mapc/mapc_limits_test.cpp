// Sources whose map file the game could not read are refused at their line:
// texture names with spaces or too long for the reader's path, coordinates
// too long for the list sections' numbers, levels too far from the origin.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/source_limits.h"
#include "world/world_texture.h"

namespace {

std::string first_error(const mapc_log& log) { return log.errors.empty() ? "" : log.errors[0]; }

// One axis-aligned brush in standard .map faces, each face on its own line,
// with `tex` on every face but the top, which gets `top_tex`.
std::string brush(int x0, int y0, int z0, int x1, int y1, int z1, const std::string& tex = "concrete",
                  const std::string& top_tex = "concrete") {
  char b[1024];
  snprintf(b, sizeof b,
           "{\n( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n"
           "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n"
           "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n"
           "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n"
           "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n"
           "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s 0 0 0 1 1\n}\n",
           x0, y0, z0, x0, y0 + 1, z0, x0, y0, z0 + 1, tex.c_str(), x1, y0, z0, x1, y0, z0 + 1, x1, y0 + 1,
           z0, tex.c_str(), x0, y0, z0, x0, y0, z0 + 1, x0 + 1, y0, z0, tex.c_str(), x0, y1, z0, x0 + 1, y1,
           z0, x0, y1, z0 + 1, tex.c_str(), x0, y0, z0, x0 + 1, y0, z0, x0, y0 + 1, z0, tex.c_str(), x0, y0,
           z1, x0, y0 + 1, z1, x0 + 1, y0, z1, top_tex.c_str());
  return b;
}

// A sealed .map room of six brushes with a player start; the floor's top
// face gets `floor_top`, and `extra` is appended after the start.
std::string map_room(const std::string& floor_top, const std::string& extra = "") {
  std::string s = "{\n\"classname\" \"worldspawn\"\n";
  s += brush(-16, -16, -16, 272, 272, 0, "concrete", floor_top);  // floor: lines 3 to 10, top face 9
  s += brush(-16, -16, 128, 272, 272, 144);
  s += brush(-16, -16, 0, 0, 272, 128);
  s += brush(256, -16, 0, 272, 272, 128);
  s += brush(0, -16, 0, 256, 0, 128);
  s += brush(0, 256, 0, 256, 272, 128);
  s += "}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"64 64 0\"\n}\n";
  return s + extra;
}

// A grid room whose solid rock is faced with `rock`.
std::string grid_room(const std::string& rock) {
  return "cell 2\nsolid # " + rock +
         "\nkind room 0 4 floor_tiles ceiling_panel metal_wall\nkey . room\nkey P room player_start\n"
         "grid\n#####\n#P..#\n#####\nend\n";
}

}  // namespace

TEST(MapcLimits, TextureNamesTheGameCannotReadAreRefusedAtTheirLine) {
  mapc_source src;
  mapc_result r;
  // TrenchBroom quotes a texture name with a space in it; the map file's
  // reader would split it into two tokens.
  mapc_log spaced;
  EXPECT_FALSE(compile_text(map_room("\"metal wall\""), "room.map", src, r, spaced));
  EXPECT_EQ(
      first_error(spaced),
      "room.map:9: entity 0, brush 0: texture name \"metal wall\" has a space; the game reads names without "
      "spaces");

  // The reader takes "NAME.webp" into 259 characters: 254 for the name.
  ASSERT_EQ(mapc_max_texture_name + 5, static_cast<size_t>(world_texture_path_size - 1));
  std::string longest(mapc_max_texture_name, 'r');
  mapc_log too_long;
  EXPECT_FALSE(compile_text(grid_room(longest + "r"), "rock.lvl", src, r, too_long));
  EXPECT_EQ(first_error(too_long).rfind("rock.lvl:2: solid #: texture name \"rrrr", 0), 0u)
      << first_error(too_long);
  EXPECT_NE(first_error(too_long).find("has 255 characters (at most 254)"), std::string::npos);

  mapc_log tabbed;
  EXPECT_FALSE(compile_text(map_room("\"metal\twall\""), "tab.map", src, r, tabbed));
  EXPECT_EQ(first_error(tabbed).rfind(
                "tab.map:9: entity 0, brush 0: texture name has the control character 0x09", 0),
            0u)
      << first_error(tabbed);

  // The longest name compiles, and the game's reader takes the file whole.
  mapc_log fits;
  ASSERT_TRUE(compile_text(grid_room(longest), "rock.lvl", src, r, fits)) << first_error(fits);
  ASSERT_TRUE(test_gl_context());
  loaded_map loaded;
  load_map_text(r.text, loaded);
  EXPECT_FALSE(loaded.failed) << loaded.log.substr(loaded.log.size() > 400 ? loaded.log.size() - 400 : 0);
  bool found = false;
  for (const world_texture* t = loaded.table.world_textures; t; t = t->next)
    found = found || std::string(t->path) == longest + ".webp";
  EXPECT_TRUE(found);
  free_loaded_map(loaded);
}

TEST(MapcLimits, CoordinatesTheGameCannotReadAreRefused) {
  mapc_source src;
  mapc_result r;
  // Map x -1975308.6256 is world x -123456.7891: twelve characters where
  // the entity section's numbers hold eleven.
  mapc_log far_entity;
  EXPECT_FALSE(compile_text(
      map_room("concrete", "{\n\"classname\" \"ent_mob3\"\n\"origin\" \"-1975308.6256 64 0\"\n}\n"),
      "far.map", src, r, far_entity));
  EXPECT_EQ(
      first_error(far_entity),
      "far.map:56: ent_mob3: its x coordinate -123457 (world units) is written as \"-123456.7891\", longer "
      "than the 11 characters the game reads");

  // A brush far out would put navigation nodes there; the level must lie
  // within 65536 world units of the origin.
  mapc_log far_brush;
  EXPECT_FALSE(compile_text(map_room("concrete", "{\n\"classname\" \"func_group\"\n" +
                                                     brush(2000000, 0, 0, 2000016, 16, 16) + "}\n"),
                            "far.map", src, r, far_brush));
  EXPECT_EQ(
      first_error(far_brush).rfind("far.map:58: entity 2, brush 0: the box reaches x = 125000 (world units); "
                                   "a level must lie within 65536 of the origin (1048576 map units)",
                                   0),
      0u)
      << first_error(far_brush);

  // A grid whose cells are huge runs out the same way.
  mapc_log huge_cells;
  std::string grid = grid_room("concrete");
  grid.replace(0, 6, "cell 40000");
  EXPECT_FALSE(compile_text(grid, "huge.lvl", src, r, huge_cells));
  EXPECT_NE(first_error(huge_cells).find("a level must lie within 65536 of the origin"), std::string::npos)
      << first_error(huge_cells);
}

TEST(MapcLimits, FloorsTooLargeToLayTheNavigationOverAreRefused) {
  // Three open cells of 400 x 400 units: 480000 square units of floor, which
  // would need a standing spot on each unit. The largest campaign level has
  // under 25000.
  std::string grid = grid_room("concrete");
  grid.replace(0, 6, "cell 400");
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_FALSE(compile_text(grid, "wide.lvl", src, r, log));
  EXPECT_EQ(first_error(log),
            "wide.lvl: the floors cover 480000 square units, more than the 262144 (512 x 512) the navigation "
            "graph is "
            "built over");
}

TEST(MapcLimits, BoxesScatteredOnCoordinatesOfTheirOwnAreNoLimit) {
  // 250 small boxes, each at coordinates of its own (a grid of their sides
  // would hold 125 million cells): the leak check floods the tree's leaves,
  // so the compile goes on to find the player start inside the first box.
  std::string text = "{\n\"classname\" \"worldspawn\"\n";
  for (int i = 0; i < 250; ++i) text += brush(i * 37, i * 41, i * 43, i * 37 + 8, i * 41 + 8, i * 43 + 8);
  text += "}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"2 2 2\"\n}\n";
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_FALSE(compile_text(text, "scatter.map", src, r, log));
  EXPECT_NE(first_error(log).find("player_start at (0.125, 0.125, -0.125) is inside solid"),
            std::string::npos)
      << first_error(log);
}

TEST(MapcLimits, TheCompilerSaysErrorFileAndLineAndWritesNothing) {
  std::string dir = testing::TempDir() + "mapc_limits";
  ASSERT_EQ(system(("mkdir -p " + dir).c_str()), 0);
  std::string source = dir + "/spaced.map";
  std::string output = dir + "/spaced.t3bsp";
  std::ofstream(source) << map_room("\"metal wall\"");
  std::remove(output.c_str());
  std::string command = std::string(MAPC_EXE) + " " + source + " " + output + " 2>" + dir + "/err.txt";
  int status = system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::stringstream err;
  err << std::ifstream(dir + "/err.txt").rdbuf();
  EXPECT_EQ(err.str(),
            "mapc: error: " + source +
                ":9: entity 0, brush 0: texture name \"metal wall\" has a space; the game reads names "
                "without spaces\n");
  EXPECT_FALSE(std::ifstream(output).good());
}
