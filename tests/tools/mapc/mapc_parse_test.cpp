// Reading level sources: .map faces in both syntaxes, units and axes, rejected brushes, grid legends.
#include <gtest/gtest.h>

#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/brush.h"
#include "tools/mapc/grid_parser.h"
#include "tools/mapc/map_parser.h"
#include "tools/mapc/texture_axes.h"

namespace {

// A box from map (0, 0, 0) to (64, 32, 16) in the standard face syntax.
const char* standard_box =
    "// Game: Tarvo\n"
    "{\n"
    "\"classname\" \"worldspawn\"\n"
    "\"_minlight\" \"35\"\n"
    "// brush 0\n"
    "{\n"
    "( 0 0 0 ) ( 0 1 0 ) ( 0 0 1 ) west 0 0 0 1 1\n"
    "( 64 0 0 ) ( 64 0 1 ) ( 64 1 0 ) east 0 0 0 1 1\n"
    "( 0 0 0 ) ( 0 0 1 ) ( 1 0 0 ) south 0 0 0 1 1\n"
    "( 0 32 0 ) ( 1 32 0 ) ( 0 32 1 ) north 0 0 0 1 1\n"
    "( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) bottom 0 0 0 1 1\n"
    "( 0 0 16 ) ( 0 1 16 ) ( 1 0 16 ) world/top 0 0 0 1 1\n"
    "}\n"
    "}\n"
    "{\n\"classname\" \"info_player_start\"\n\"origin\" \"16 -32 8\"\n}\n"
    "{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n\"light\" \"200\"\n\"delay\" \"2\"\n}\n"
    "{\n\"classname\" \"light\"\n\"origin\" \"0 0 48\"\n}\n";

// The same box in Valve 220 syntax, with texture axes in brackets.
const char* valve_box =
    "// Game: Tarvo\n// Format: Valve\n"
    "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n"
    "{\n"
    "( 0 0 0 ) ( 0 1 0 ) ( 0 0 1 ) west [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
    "( 64 0 0 ) ( 64 0 1 ) ( 64 1 0 ) east [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
    "( 0 0 0 ) ( 0 0 1 ) ( 1 0 0 ) south [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
    "( 0 32 0 ) ( 1 32 0 ) ( 0 32 1 ) north [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
    "( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) bottom [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
    "( 0 0 16 ) ( 0 1 16 ) ( 1 0 16 ) top [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
    "}\n}\n";

void expect_converted_box(const mapc_brush& b) {
  // 16 map units are one world unit; map z is world y, map y is world -z.
  ASSERT_TRUE(b.box);
  EXPECT_DOUBLE_EQ(b.lo[0], 0);
  EXPECT_DOUBLE_EQ(b.hi[0], 4);
  EXPECT_DOUBLE_EQ(b.lo[1], 0);
  EXPECT_DOUBLE_EQ(b.hi[1], 1);
  EXPECT_DOUBLE_EQ(b.lo[2], -2);
  EXPECT_DOUBLE_EQ(b.hi[2], 0);
  EXPECT_EQ(b.faces[face_hi_y].texture, "top");
  EXPECT_EQ(b.faces[face_lo_y].texture, "bottom");
  EXPECT_EQ(b.faces[face_lo_z].texture, "north");  // map +y faces world -z
  EXPECT_EQ(b.faces[face_hi_z].texture, "south");
  EXPECT_EQ(b.faces[face_lo_x].texture, "west");
  EXPECT_EQ(b.faces[face_hi_x].texture, "east");
}

// u and v of a world point on a face, the texture taken as 128 texels square.
void uv_at(mapc_brush_face f, double x, double y, double z, double* u, double* v) {
  mapc_texels_to_repeats(f.tex, 128, 128);
  *u = f.tex.u[0] * x + f.tex.u[1] * y + f.tex.u[2] * z + f.tex.u[3];
  *v = f.tex.v[0] * x + f.tex.v[1] * y + f.tex.v[2] * z + f.tex.v[3];
}

TEST(MapcMapParser, StandardAndValveFacesGiveTheSameBoxInWorldUnits) {
  for (const char* text : {standard_box, valve_box}) {
    mapc_source src{};
    mapc_log log;
    ASSERT_TRUE(mapc_parse_map(text, "box.map", src, log)) << (log.errors.empty() ? "" : log.errors[0]);
    ASSERT_EQ(src.brushes.size(), 1u);
    expect_converted_box(src.brushes[0]);
    EXPECT_EQ(src.brushes[0].line, 6);
  }
  // Both syntaxes put the texture the same way on the top and on a wall: a
  // texel per map unit, u along map x, v down the wall (the game's v up).
  mapc_source a{}, b{};
  mapc_log log;
  ASSERT_TRUE(mapc_parse_map(standard_box, "box.map", a, log));
  ASSERT_TRUE(mapc_parse_map(valve_box, "box.map", b, log));
  for (int slot : {face_hi_y, face_hi_z}) {
    double ua, va, ub, vb;
    uv_at(a.brushes[0].faces[slot], 3, 1, -1.5, &ua, &va);
    uv_at(b.brushes[0].faces[slot], 3, 1, -1.5, &ub, &vb);
    EXPECT_DOUBLE_EQ(ua, ub) << slot;
    EXPECT_DOUBLE_EQ(va, vb) << slot;
    EXPECT_DOUBLE_EQ(ua, 3 * 16 / 128.0);
  }
  double u, v;
  uv_at(a.brushes[0].faces[face_hi_z], 0, 1, 0, &u, &v);
  EXPECT_DOUBLE_EQ(v, 16 / 128.0) << "one unit up the wall is 16 texels up the image";
}

TEST(MapcMapParser, EntitiesLightsAndWorldspawnKeys) {
  mapc_source src{};
  mapc_log log;
  // A func_detail after the world: its brush is detail, the world's is not.
  const std::string box = standard_box;
  const size_t at = box.find("{\n(");
  const std::string detail_box =
      box + "{\n\"classname\" \"func_detail\"\n" + box.substr(at, box.find("}\n", at) + 2 - at) + "}\n";
  ASSERT_TRUE(mapc_parse_map(detail_box, "box.map", src, log)) << log.errors[0];
  ASSERT_EQ(src.brushes.size(), 2u);
  EXPECT_FALSE(src.brushes[0].detail);
  EXPECT_TRUE(src.brushes[1].detail);
  EXPECT_DOUBLE_EQ(src.minlight, 35);
  ASSERT_EQ(src.entities.size(), 1u);
  EXPECT_EQ(src.entities[0].type, 1);
  EXPECT_DOUBLE_EQ(src.entities[0].pos.x, 1);
  EXPECT_DOUBLE_EQ(src.entities[0].pos.y, 0.5);
  EXPECT_DOUBLE_EQ(src.entities[0].pos.z, 2);
  ASSERT_EQ(src.lights.size(), 2u);
  EXPECT_DOUBLE_EQ(src.lights[0].light, 200);
  EXPECT_EQ(src.lights[0].delay, 2);
  EXPECT_DOUBLE_EQ(src.lights[0].pos.y, 2);
  EXPECT_DOUBLE_EQ(src.lights[1].light, 300);  // the Quake default
  EXPECT_DOUBLE_EQ(src.lights[1].wait, 1);
  EXPECT_EQ(src.lights[1].delay, 0);
}

TEST(MapcMapParser, SlantedBrushIsReadAsPlanesAndFlatFacesAreErrors) {
  std::string text =
      "{\n\"classname\" \"worldspawn\"\n"
      "{\n( 0 0 0 ) ( 0 1 0 ) ( 0 0 1 ) a 0 0 0 1 1\n( 64 0 0 ) ( 64 0 1 ) ( 64 1 0 ) a 0 0 0 1 1\n"
      "( 0 0 0 ) ( 0 0 1 ) ( 1 0 0 ) a 0 0 0 1 1\n( 0 32 0 ) ( 1 32 0 ) ( 0 32 1 ) a 0 0 0 1 1\n"
      "( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) a 0 0 0 1 1\n( 0 0 16 ) ( 0 1 16 ) ( 1 0 16 ) a 0 0 0 1 1\n"
      "( 0 0 8 ) ( 0 1 8 ) ( 64 0 12 ) a 0 0 0 1 1\n}\n"
      "{\n( 0 0 0 ) ( 0 1 0 ) ( 0 2 0 ) a 0 0 0 1 1\n( 64 0 0 ) ( 64 0 1 ) ( 64 1 0 ) a 0 0 0 1 1\n"
      "( 0 0 0 ) ( 0 0 1 ) ( 1 0 0 ) a 0 0 0 1 1\n( 0 32 0 ) ( 1 32 0 ) ( 0 32 1 ) a 0 0 0 1 1\n}\n}\n";
  mapc_source src{};
  mapc_log log;
  EXPECT_FALSE(mapc_parse_map(text, "slant.map", src, log));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0], "slant.map:13: entity 0, brush 1: the face's three points lie on one line");
  // The seven-plane brush is kept: a box cut by a slanted top.
  ASSERT_EQ(src.brushes.size(), 1u);
  mapc_brush& b = src.brushes[0];
  EXPECT_FALSE(b.box);
  ASSERT_EQ(b.faces.size(), 7u);
  ASSERT_TRUE(mapc_brush_bound(b));
  EXPECT_DOUBLE_EQ(b.hi[1], 12.0 / 16) << "the slant's highest corner is 4 map units under the top";
  EXPECT_GT(b.faces[6].n[1], 0.9) << "the slant's normal points up and out";
}

TEST(MapcMapParser, UnknownClassAndBrokenSyntaxAreErrors) {
  mapc_source src{};
  mapc_log log;
  EXPECT_FALSE(
      mapc_parse_map("{\n\"classname\" \"monster_ogre\"\n\"origin\" \"0 0 0\"\n}\n", "x.map", src, log));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0], "x.map:1: entity 0: unknown class \"monster_ogre\"");
  mapc_log log2;
  EXPECT_FALSE(
      mapc_parse_map("{\n\"classname\" \"worldspawn\"\n{\n( 0 0 ) ( 1 1 1 )\n}\n", "y.map", src, log2));
  ASSERT_FALSE(log2.errors.empty());
  EXPECT_NE(log2.errors[0].find("y.map:4: entity 0, brush 0"), std::string::npos) << log2.errors[0];
}

TEST(MapcGridParser, CellsBecomeMergedBoxesAndEntitiesStandOnTheirFloor) {
  std::string text = std::string(small_room_head) + "grid\n######\n#.P..#\n#....#\n######\nend\n";
  mapc_source src{};
  mapc_log log;
  ASSERT_TRUE(mapc_parse_grid(text, "room.lvl", src, log)) << log.errors[0];
  ASSERT_EQ(src.entities.size(), 1u);
  EXPECT_DOUBLE_EQ(src.entities[0].pos.x, 5);  // column 2, cell 2: x from 4 to 6
  EXPECT_DOUBLE_EQ(src.entities[0].pos.y, 0);
  EXPECT_DOUBLE_EQ(src.entities[0].pos.z, 3);  // row 1: z from 2 to 4
  // The eight open cells give one floor box and one ceiling box.
  int floors = 0;
  for (const mapc_brush& b : src.brushes)
    if (b.hi[1] == 0) {
      ++floors;
      EXPECT_DOUBLE_EQ(b.hi[0] - b.lo[0], 8);
      EXPECT_DOUBLE_EQ(b.hi[2] - b.lo[2], 4);
      EXPECT_EQ(b.faces[face_hi_y].texture, "floor_tiles");
    }
  EXPECT_EQ(floors, 1);

  // A detail cell is detail between the lowest floor and the highest
  // ceiling; what lies under and over that stays structural.
  std::string detail =
      std::string(small_room_head) +
      "kind crate 1 4 crate ceiling_panel crate\nkey c crate\nsolid o concrete\ndetail c\ndetail o\n"
      "grid\n######\n#.Pco#\n######\nend\n";
  src = mapc_source{};
  ASSERT_TRUE(mapc_parse_grid(detail, "detail.lvl", src, log)) << log.errors[0];
  int details = 0;
  for (const mapc_brush& b : src.brushes) {
    bool in_crate = b.lo[0] == 6 && b.hi[0] == 8, in_pillar = b.lo[0] == 8 && b.hi[0] == 10;
    if (!b.detail) continue;
    ++details;
    EXPECT_TRUE(in_crate ? b.lo[1] == 0 && b.hi[1] == 1 : in_pillar && b.lo[1] == 0 && b.hi[1] == 4)
        << b.lo[0] << " " << b.lo[1] << " " << b.hi[1];
  }
  EXPECT_EQ(details, 2);
  mapc_log unknown;
  EXPECT_FALSE(mapc_parse_grid(detail + "detail x\n", "detail.lvl", src, unknown));
  ASSERT_FALSE(unknown.errors.empty());
  EXPECT_EQ(unknown.errors[0], "detail.lvl: detail 'x': the character is neither a key nor a solid");
}

TEST(MapcGridParser, UnknownCharacterNamesItsLineAndColumn) {
  std::string text = std::string(small_room_head) + "grid\n####\n#.?#\n####\nend\n";
  mapc_source src{};
  mapc_log log;
  EXPECT_FALSE(mapc_parse_grid(text, "room.lvl", src, log));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0], "room.lvl:11: column 3: '?' is neither a key nor a solid");
  mapc_log twice;
  EXPECT_FALSE(mapc_parse_grid(std::string(small_room_head) + "solid . concrete\n", "room.lvl", src, twice));
  ASSERT_FALSE(twice.errors.empty());
  EXPECT_EQ(twice.errors[0], "room.lvl:9: solid '.': the character is already a key");
}

}  // namespace
