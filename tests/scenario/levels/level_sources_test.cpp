// The level sources and the map compiler's rules they lean on: openings onto
// the sky, levels that end only by a boss's death, mice that a player can
// reach, and the world textures the levels wear.
#include <gtest/gtest.h>
#include <webp/decode.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario/levels/campaign_table.h"
#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/compile.h"
#include "tools/mapc/light.h"
#include "tools/mapc/nav.h"

namespace {

std::string first_error(const mapc_log& log) { return log.errors.empty() ? "" : log.errors[0]; }

std::string data_dir() {
  const char* data = getenv("TARVO_DATA_DIR");
  return data ? data : "data";
}

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A yard open to the sky with a roofed hut; the sun hangs under the sky.
const char* yard_with_hut =
    "cell 2\nminlight 40\nsolid # rock\n"
    "kind yard 0 12 grass sky rock\nkind hut 0 4 wood wood brick\n"
    "key . yard\nkey P yard player_start\nkey S yard light light 100 delay 3\nkey h hut\n"
    "grid\n##########\n#.P....S.#\n#........#\n#...hhh..#\n#...hhh..#\n##########\nend\n";

TEST(LevelSources, SkyOpeningsLetTheSkyShowUndimmed) {
  mapc_source src;
  mapc_result r;
  mapc_log log;
  ASSERT_TRUE(compile_text(yard_with_hut, "yard.lvl", src, r, log)) << first_error(log);
  int sky_faces = 0, lit_faces = 0;
  for (size_t i = 0; i < r.tree.faces.size(); ++i) {
    const mapc_light_grid& g = r.grids[i];
    bool all_zero = true;
    for (int v : g.values) all_zero = all_zero && v == 0;
    if (r.tree.faces[i].texture == "sky") {
      ++sky_faces;
      EXPECT_TRUE(all_zero) << "a sky face is darkened";
      EXPECT_EQ(r.tree.faces[i].plane.n[1], -1.0) << "the sky is above, looking down";
    } else if (!r.facing_void[i] && !all_zero) {
      ++lit_faces;
    }
  }
  EXPECT_GT(sky_faces, 0);
  EXPECT_GT(lit_faces, 0) << "the other faces keep their light and shade";
  EXPECT_TRUE(mapc_is_sky_texture("sky"));
  EXPECT_FALSE(mapc_is_sky_texture("grass"));

  // The texture the build generates for it is wholly see-through, so the
  // game's alpha test drops it and the sky drawn first stays.
  std::string webp = file_bytes(data_dir() + "/textures/world/sky.webp");
  if (webp.empty()) GTEST_SKIP() << "no generated textures in this build";
  int w = 0, h = 0;
  uint8_t* rgba = WebPDecodeRGBA(reinterpret_cast<const uint8_t*>(webp.data()), webp.size(), &w, &h);
  ASSERT_NE(rgba, nullptr);
  int opaque = 0;
  for (int i = 0; i < w * h; ++i) opaque += rgba[i * 4 + 3] > 25;
  WebPFree(rgba);
  EXPECT_GT(w, 0);
  EXPECT_EQ(opaque, 0);
}

// A hall with a boss in its south-east: the keys b (ent_boss1), c (ent_boss2)
// and t (ent_mob10) stand on the floor, B and T on a block 4 units high that
// no jump reaches, h is the bare block. `exit` adds an exit in the corner.
std::string boss_hall(const char* boss_key, bool exit) {
  bool on_floor = boss_key[0] >= 'a' && boss_key[0] <= 'z' && boss_key[0] != 'h';
  std::string s =
      "cell 2\nminlight 40\nsolid # metal_wall\n"
      "kind hall 0 8 metal_floor ceiling_panel metal_wall\nkind ledge 4 8 metal_floor ceiling_panel "
      "metal_wall\n"
      "key . hall\nkey P hall player_start\nkey E hall ent_exit\nkey b hall ent_boss1\nkey B ledge "
      "ent_boss1\n"
      "key c hall ent_boss2\nkey t hall ent_mob10\nkey T ledge ent_mob10\nkey h ledge\n"
      "grid\n##########\n#P......#\n#.......#\n#....hhh#\n";
  s += std::string("#....h") + boss_key + "h#\n";
  s += exit ? "#E...hhh#\n" : "#....hhh#\n";
  s += "##########\nend\n";
  if (on_floor)
    for (size_t i = s.find("grid"); i < s.size(); ++i)
      if (s[i] == 'h') s[i] = '.';
  return s;
}

TEST(LevelSources, ALevelWithoutAnExitMustLetThePlayerReachItsBosses) {
  struct one_case {
    const char* key;
    bool exit;
    bool compiles;
    const char* message;  // part of the first error or of the first warning
  } cases[] = {
      {"b", false, true, ""},
      {"c", false, true, ""},
      {"t", false, true, ""},
      {"B", false, false, "ent_boss1 at (13, 4, 9) cannot be reached from the player start"},
      {"T", false, false, "ent_mob10 at (13, 4, 9) cannot be reached"},
      {"B", true, true, ""},  // with an exit the level ends there; the boss may stay aloof
      {"h", false, true, "no ent_exit and no boss: nothing ends the level"},
  };
  for (const one_case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + (c.exit ? " with an exit" : ""));
    mapc_source src;
    mapc_result r;
    mapc_log log;
    EXPECT_EQ(compile_text(boss_hall(c.key, c.exit), "boss.lvl", src, r, log), c.compiles)
        << first_error(log);
    std::string said = !log.errors.empty() ? log.errors[0] : (log.warnings.empty() ? "" : log.warnings[0]);
    if (*c.message) {
      EXPECT_NE(said.find(c.message), std::string::npos) << said;
    } else {
      EXPECT_EQ(said, "");
    }
  }
}

// Every campaign source compiles with its textures checked, as the build
// does, and a player can walk and jump to each of its mice (taken within 2.0).
TEST(LevelSources, EveryCampaignSourceCompilesAndItsMiceCanBeCaught) {
  mapc_options options;
  options.texture_dir = data_dir() + "/textures/world";
  if (file_bytes(options.texture_dir + "/sky.webp").empty())
    GTEST_SKIP() << "no generated textures in this build";
  for (const campaign_level& l : campaign_levels()) {
    SCOPED_TRACE(campaign_source_path(l));
    mapc_source src;
    mapc_result r;
    mapc_log log;
    ASSERT_TRUE(mapc_load_source(campaign_source_path(l), src, log)) << first_error(log);
    ASSERT_TRUE(mapc_compile(src, options, r, log)) << first_error(log);
    EXPECT_TRUE(log.warnings.empty()) << log.warnings[0];
    const mapc_entity* start = nullptr;
    for (const mapc_entity& e : src.entities)
      if (e.type == 1 && !start) start = &e;
    ASSERT_NE(start, nullptr);
    for (const mapc_entity& e : src.entities) {
      if (e.type != 420) continue;
      EXPECT_TRUE(mapc_player_reaches(r.tree, r.spots, start->pos, e.pos, 2.0))
          << "the mouse on line " << e.line << " is out of reach";
    }
  }
}

// The RGBA pixels of a generated world texture; empty when it cannot be read.
std::vector<uint8_t> world_texture_pixels(const std::string& name, int* w, int* h) {
  std::string webp = file_bytes(data_dir() + "/textures/world/" + name + ".webp");
  std::vector<uint8_t> out;
  uint8_t* rgba = webp.empty()
                      ? nullptr
                      : WebPDecodeRGBA(reinterpret_cast<const uint8_t*>(webp.data()), webp.size(), w, h);
  if (!rgba) return out;
  out.assign(rgba, rgba + static_cast<size_t>(*w) * *h * 4);
  WebPFree(rgba);
  return out;
}

// Mean difference of two lines of pixels, each step (dx, dy) from its start.
double line_difference(const std::vector<uint8_t>& px, int w, int x0, int y0, int x1, int y1, int dx, int dy,
                       int n) {
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const uint8_t* a = &px[((y0 + i * dy) * w + x0 + i * dx) * 4];
    const uint8_t* b = &px[((y1 + i * dy) * w + x1 + i * dx) * 4];
    for (int c = 0; c < 4; ++c) sum += std::abs(a[c] - b[c]);
  }
  return sum / n;
}

// Every texture a campaign level names is generated, opaque (the sky opening
// aside) and tiles: across its wrap the picture changes no more than
// between any two neighbouring lines inside it.
TEST(LevelSources, TheLevelsWorldTexturesAreOpaqueAndTile) {
  if (file_bytes(data_dir() + "/textures/world/sky.webp").empty()) GTEST_SKIP() << "no generated textures";
  std::set<std::string> names;
  for (const campaign_level& l : campaign_levels()) {
    mapc_source src;
    mapc_log log;
    ASSERT_TRUE(mapc_load_source(campaign_source_path(l), src, log));
    for (const mapc_brush& b : src.brushes)
      for (const mapc_brush_face& f : b.faces) names.insert(f.texture);
  }
  EXPECT_GE(names.size(), 24u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    int w = 0, h = 0;
    std::vector<uint8_t> px = world_texture_pixels(name, &w, &h);
    ASSERT_FALSE(px.empty());
    if (mapc_is_sky_texture(name)) continue;
    int clear = 0;
    for (size_t i = 3; i < px.size(); i += 4) clear += px[i] < 255;
    EXPECT_EQ(clear, 0);
    double inner_x = 0, inner_y = 0;
    for (int x = 0; x + 1 < w; ++x)
      inner_x = std::max(inner_x, line_difference(px, w, x, 0, x + 1, 0, 0, 1, h));
    for (int y = 0; y + 1 < h; ++y)
      inner_y = std::max(inner_y, line_difference(px, w, 0, y, 0, y + 1, 1, 0, w));
    EXPECT_LE(line_difference(px, w, w - 1, 0, 0, 0, 0, 1, h), inner_x * 1.05 + 1)
        << "a seam at the left and right";
    EXPECT_LE(line_difference(px, w, 0, h - 1, 0, 0, 1, 0, w), inner_y * 1.05 + 1)
        << "a seam at the top and bottom";
  }
}

}  // namespace
