// Levels the compiler refuses, with their messages: leaks (and the point file), no start, entities in
// solid, missing textures, an exit out of reach.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/map_parser.h"

namespace {

std::string first_error(const mapc_log& log) { return log.errors.empty() ? "" : log.errors[0]; }

// A .map room of six boxes (walls 16 thick, inside 256 x 256 x 128) with a
// player start; `gap` leaves the east wall out.
std::string map_room(bool gap, const char* extra_entities = "") {
  auto brush = [](int x0, int y0, int z0, int x1, int y1, int z1) {
    char b[512];
    snprintf(b, sizeof b,
             "{\n( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n"
             "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n"
             "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n"
             "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n"
             "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n"
             "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) concrete 0 0 0 1 1\n}\n",
             x0, y0, z0, x0, y0 + 1, z0, x0, y0, z0 + 1, x1, y0, z0, x1, y0, z0 + 1, x1, y0 + 1, z0, x0, y0,
             z0, x0, y0, z0 + 1, x0 + 1, y0, z0, x0, y1, z0, x0 + 1, y1, z0, x0, y1, z0 + 1, x0, y0, z0,
             x0 + 1, y0, z0, x0, y0 + 1, z0, x0, y0, z1, x0, y0 + 1, z1, x0 + 1, y0, z1);
    return std::string(b);
  };
  std::string s = "{\n\"classname\" \"worldspawn\"\n";
  s += brush(-16, -16, -16, 272, 272, 0);            // floor
  s += brush(-16, -16, 128, 272, 272, 144);          // ceiling
  s += brush(-16, -16, 0, 0, 272, 128);              // west
  if (!gap) s += brush(256, -16, 0, 272, 272, 128);  // east
  s += brush(0, -16, 0, 256, 0, 128);                // south
  s += brush(0, 256, 0, 256, 272, 128);              // north
  s += "}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"64 64 0\"\n}\n";
  s += extra_entities;
  return s;
}

TEST(MapcValidate, SealedMapRoomCompiles) {
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_TRUE(compile_text(map_room(false), "room.map", src, r, log)) << first_error(log);
  EXPECT_EQ(src.brushes.size(), 6u);
}

TEST(MapcValidate, LeakIsReportedWithAPointFileToTheOutside) {
  mapc_source src;
  mapc_result r;
  mapc_log log;
  mapc_options options;
  options.point_file = testing::TempDir() + "leak.pts";
  std::remove(options.point_file.c_str());
  EXPECT_FALSE(compile_text(map_room(true), "leak.map", src, r, log, options));
  ASSERT_EQ(log.errors.size(), 2u);
  EXPECT_EQ(
      log.errors[0],
      "leak.map:44: leak: the space around info_player_start at (4, 0, -4) reaches the outside of the level");
  EXPECT_EQ(log.errors[1], "leak.map: the leak's way out is in \"" + options.point_file + "\"");
  std::ifstream pts(options.point_file);
  ASSERT_TRUE(pts.good());
  std::vector<std::array<double, 3>> points;
  double x, y, z;
  while (pts >> x >> y >> z) points.push_back({x, y, z});
  ASSERT_GE(points.size(), 2u);
  // From the player start (map coordinates) out beyond the missing east wall.
  EXPECT_NEAR(points.front()[0], 64, 64);
  EXPECT_NEAR(points.front()[1], 64, 64);
  EXPECT_GT(points.back()[0], 272);
}

TEST(MapcValidate, MissingPlayerStartAndEntityInSolid) {
  std::string text = std::string(small_room_head) + "key m room ent_morphine\ngrid\n####\n#.m#\n####\nend\n";
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_FALSE(compile_text(text, "nostart.lvl", src, r, log));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0], "nostart.lvl: no player_start");
  mapc_log log2;
  EXPECT_FALSE(compile_text(map_room(false, "{\n\"classname\" \"ent_mob3\"\n\"origin\" \"64 64 -8\"\n}\n"),
                            "solid.map", src, r, log2));
  ASSERT_EQ(log2.errors.size(), 1u);
  EXPECT_EQ(log2.errors[0], "solid.map:56: ent_mob3 at (4, -0.5, -4) is inside solid");
}

TEST(MapcValidate, TextureWithoutImageIsAnError) {
  std::string dir = testing::TempDir() + "mapc_textures";
  std::string make = "mkdir -p " + dir;
  ASSERT_EQ(system(make.c_str()), 0);
  for (const char* name : {"floor_tiles", "ceiling_panel", "metal_wall"})
    std::ofstream(dir + "/" + name + ".webp") << "x";
  std::remove((dir + "/concrete.webp").c_str());
  mapc_options options;
  options.texture_dir = dir;
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_FALSE(compile_text(std::string(small_room_head) + "grid\n####\n#P.#\n####\nend\n", "tex.lvl", src, r,
                            log, options));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0],
            "tex.lvl: texture \"concrete\" has no world texture (no " + dir + "/concrete.webp)");
  std::ofstream(dir + "/concrete.webp") << "x";
  mapc_log log2;
  EXPECT_TRUE(compile_text(std::string(small_room_head) + "grid\n####\n#P.#\n####\nend\n", "tex.lvl", src, r,
                           log2, options))
      << first_error(log2);
}

TEST(MapcValidate, ExitOutOfReachIsAnError) {
  // The exit stands on a ledge 4 units up: too high to jump.
  std::string text =
      std::string(small_room_head) +
      "kind ledge 4 8 floor_tiles ceiling_panel metal_wall\nkey x ledge ent_exit\nkey h ledge\n"
      "grid\n#######\n#P..hx#\n#...hh#\n#######\nend\n";
  mapc_source src;
  mapc_result r;
  mapc_log log;
  EXPECT_FALSE(compile_text(text, "high.lvl", src, r, log));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(
      log.errors[0],
      "high.lvl:14: the exit at (11, 4, 3) cannot be reached from the player start by walking and jumping");
  // A ledge of 1.5 can be jumped onto.
  std::string low = text;
  low.replace(low.find("kind ledge 4 8"), 14, "kind ledge 1.5 8");
  mapc_log log2;
  EXPECT_TRUE(compile_text(low, "low.lvl", src, r, log2)) << first_error(log2);
}

}  // namespace
