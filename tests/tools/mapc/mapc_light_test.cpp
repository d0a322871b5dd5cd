// Light grids read back from the game's light-map textures, placed by the renderer's light-map coordinates.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "tools/mapc/light.h"
#include "world/bsp_node.h"

namespace {

// One light-map texel of a floor polygon: where the renderer puts it and its darkness.
struct texel {
  double x, y, z;
  int alpha;
};

// The renderer stretches the light map over corners 0 to 3 with s, t from
// (1/cols, 1/rows) at corner 0, t growing towards corner 1 and s towards corner 3.
void collect_texels(const bsp_node* n, std::vector<texel>& out) {
  if (!n || n->is_leaf) return;
  const bsp_polygon* p = n->poly;
  if (p->normal[1] == 1 && p->verts[0].y == 0) {  // the room's floor, not the level's outer top
    int rows = p->light_rows, cols = p->light_cols;
    std::vector<unsigned char> img(static_cast<size_t>(rows) * cols * 4);
    glBindTexture(GL_TEXTURE_2D, p->light_texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, img.data());
    const map_vertex &v0 = p->verts[0], &v1 = p->verts[1], &v3 = p->verts[3];
    for (int r = 1; r < rows - 1; ++r)
      for (int c = 1; c < cols - 1; ++c) {
        double s = (c + 0.5) / cols, t = (r + 0.5) / rows;
        double fs = (s - 1.0 / cols) / (1 - 2.0 / cols), ft = (t - 1.0 / rows) / (1 - 2.0 / rows);
        out.push_back({v0.x + fs * (v3.x - v0.x) + ft * (v1.x - v0.x),
                       v0.y + fs * (v3.y - v0.y) + ft * (v1.y - v0.y),
                       v0.z + fs * (v3.z - v0.z) + ft * (v1.z - v0.z), img[(r * cols + c) * 4 + 3]});
      }
  }
  collect_texels(n->front, out);
  collect_texels(n->back, out);
}

struct lit_level {
  mapc_source src;
  mapc_result result;
  loaded_map map;
  std::vector<texel> floor;
};

void compile_and_load(const std::string& grid, lit_level& l) {
  mapc_log log;
  ASSERT_TRUE(compile_text(std::string(small_room_head) + grid, "lit.lvl", l.src, l.result, log))
      << (log.errors.empty() ? "" : log.errors[0]);
  load_map_text(l.result.text, l.map);
  ASSERT_FALSE(l.map.failed) << l.map.log;
  collect_texels(l.map.root, l.floor);
  ASSERT_FALSE(l.floor.empty());
}

class MapcLight : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

TEST_F(MapcLight, LightMapTexelsSitWhereTheRendererDrawsThem) {
  // A light in the north-west corner of an open room.
  lit_level l;
  compile_and_load("grid\n########\n#L.....#\n#......#\n#......#\n#.....P#\n########\nend\n", l);
  const mapc_light& light = l.src.lights.at(0);
  const texel* brightest = &l.floor[0];
  for (const texel& t : l.floor) {
    if (t.alpha < brightest->alpha) brightest = &t;
    // Each texel holds the light of the floor point the renderer draws it at.
    double p[3] = {t.x, 0.03, t.z}, up[3] = {0, 1, 0};
    int expected =
        255 -
        static_cast<int>(std::lround(mapc_brightness(l.result.tree, l.src.lights, l.src.minlight, p, up)));
    EXPECT_NEAR(t.alpha, std::max(0, expected), 1) << t.x << " " << t.z;
  }
  EXPECT_LT(std::hypot(brightest->x - light.pos.x, brightest->z - light.pos.z), 1.0);
  // Darkness grows with the distance from the light.
  for (const texel& a : l.floor)
    for (const texel& b : l.floor) {
      double da = std::hypot(a.x - light.pos.x, a.z - light.pos.z),
             db = std::hypot(b.x - light.pos.x, b.z - light.pos.z);
      if (da + 0.5 < db) {
        ASSERT_LE(a.alpha, b.alpha) << a.x << "," << a.z << " vs " << b.x << "," << b.z;
      }
    }
  free_loaded_map(l.map);
}

TEST_F(MapcLight, WallsCastShadowsAndUnlitRoomsKeepTheAmbientFloor) {
  // Two rooms joined by a door in the north; only the west room has a light.
  lit_level l;
  compile_and_load(
      "grid\n###########\n#....#....#\n#.L..#....#\n#....#....#\n#.........#\n#P...#....#\n###########"
      "\nend\n",
      l);
  double west = 0, east = 0;
  int nw = 0, ne = 0;
  for (const texel& t : l.floor) {
    if (t.z > 8) continue;  // away from the door row
    if (t.x < 10) {
      west += t.alpha;
      ++nw;
    }
    if (t.x > 12) {
      east += t.alpha, ++ne;
      EXPECT_EQ(t.alpha, 255 - 10) << "the wall shadows the east room: only the ambient floor";
    }
  }
  ASSERT_GT(nw, 0);
  ASSERT_GT(ne, 0);
  EXPECT_LT(west / nw, 100);
  free_loaded_map(l.map);
}

}  // namespace
