// Brushes of any shape, as TrenchBroom writes them: compiled, read back by
// the game, and walked by the player's and an enemy's real tick.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "entities/enemy_update.h"
#include "entities/steer_toward.h"
#include "tests/player/player_test_support.h"
#include "tests/scenario/levels/level_walk.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"

namespace {

struct pt {
  double x, y, z;  // map units
};
pt operator-(pt a, pt b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
pt cross(pt a, pt b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(pt a, pt b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A convex brush given by its corners: each face is written through three
// of its corners, wound so the normal points out (away from the middle).
struct brush {
  std::vector<std::vector<pt>> faces;
  std::string text(const char* tex) const {
    pt mid{0, 0, 0};
    int n = 0;
    for (const auto& f : faces)
      for (pt p : f) mid = {mid.x + p.x, mid.y + p.y, mid.z + p.z}, ++n;
    mid = {mid.x / n, mid.y / n, mid.z / n};
    std::string s = "{\n";
    char line[256];
    for (const auto& f : faces) {
      pt a = f[0], b = f[1], c = f[2];
      if (dot(cross(a - b, c - b), a - mid) < 0) std::swap(a, c);
      snprintf(line, sizeof line,
               "( %g %g %g ) ( %g %g %g ) ( %g %g %g ) %s [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 0.5 0.5\n", a.x, a.y,
               a.z, b.x, b.y, b.z, c.x, c.y, c.z, tex);
      s += line;
    }
    return s + "}\n";
  }
};

// A prism: the polygon `base` (x, y, counter-clockwise) from z0 to z1.
brush prism(const std::vector<pt>& base, double z0, double z1) {
  brush b;
  std::vector<pt> bottom, top;
  for (pt p : base) bottom.push_back({p.x, p.y, z0}), top.push_back({p.x, p.y, z1});
  b.faces = {bottom, top};
  for (size_t i = 0; i < base.size(); ++i) {
    pt p = base[i], q = base[(i + 1) % base.size()];
    b.faces.push_back({{p.x, p.y, z0}, {q.x, q.y, z0}, {q.x, q.y, z1}});
  }
  return b;
}
brush box(double x0, double y0, double z0, double x1, double y1, double z1) {
  return prism({{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}, z0, z1);
}
// A wedge rising along +x from z0 at x0 to z1 at x1.
brush wedge(double x0, double y0, double x1, double y1, double z0, double z1) {
  brush b;
  b.faces = {{{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}},
             {{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z1}},
             {{x1, y0, z0}, {x1, y0, z1}, {x1, y1, z1}},
             {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}},
             {{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}}};
  return b;
}

// A sealed room (inside x 0..w, y 0..d, z 0..h map units, walls 16 thick)
// around `inside` brushes, with the entities given.
std::string room(double w, double d, double h, const std::vector<brush>& inside, const std::string& entities,
                 const std::vector<brush>& walls = {}) {
  std::string s = "{\n\"classname\" \"worldspawn\"\n\"_minlight\" \"40\"\n";
  std::vector<brush> shell = {box(-16, -16, -16, w + 16, d + 16, 0), box(-16, -16, h, w + 16, d + 16, h + 16),
                              box(-16, -16, 0, 0, d + 16, h), box(0, -16, 0, w + 16, 0, h),
                              box(0, d, 0, w + 16, d + 16, h)};
  shell.push_back(box(w, -16, 0, w + 16, d + 16, h));
  if (!walls.empty()) shell.pop_back();
  for (const brush& b : shell) s += b.text("metal_wall");
  for (const brush& b : walls) s += b.text("metal_wall");
  for (const brush& b : inside) s += b.text("floor_tiles");
  return s + "}\n" + entities;
}
std::string ent(const char* cls, double x, double y, double z) {
  char s[200];
  snprintf(s, sizeof s, "{\n\"classname\" \"%s\"\n\"origin\" \"%g %g %g\"\n}\n", cls, x, y, z);
  return s;
}

// Inside a brush of the source: behind every one of its planes.
bool inside_source(const mapc_source& src, const double p[3]) {
  for (const mapc_brush& b : src.brushes) {
    bool in = true;
    for (const mapc_brush_face& f : b.faces) in = in && f.n[0] * p[0] + f.n[1] * p[1] + f.n[2] * p[2] < f.d;
    if (in) return true;
  }
  return false;
}

class BrushShapes : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
  void TearDown() override { free_loaded_map(m); }
  // Compiles and loads; the game's tree must agree with the brushes at
  // points all over the room, and every polygon is a light-mapped quad.
  void compile(const std::string& text, int slanted_at_least) {
    std::ofstream("/tmp/t29/shape.map") << text;
    ASSERT_TRUE(compile_text(text, "shape.map", src, r, log)) << (log.errors.empty() ? "" : log.errors[0]);
    load_map_text(r.text, m);
    ASSERT_FALSE(m.failed) << m.log;
    srand(3);
    for (int i = 0; i < 20000; ++i) {
      double p[3] = {-1 + 34.0 * rand() / RAND_MAX, -1 + 10.0 * rand() / RAND_MAX,
                     -17 + 18.0 * rand() / RAND_MAX};
      ASSERT_EQ(bsp_segment_clear(p, p, m.root) == 0, inside_source(src, p))
          << p[0] << " " << p[1] << " " << p[2];
    }
    int slanted = 0;
    std::vector<const bsp_node*> stack{m.root};
    while (!stack.empty()) {
      const bsp_node* n = stack.back();
      stack.pop_back();
      if (n->is_leaf) continue;
      ASSERT_EQ(n->poly->vert_count, 4);
      EXPECT_NE(n->poly->light_texture, 0u);
      const double* nn = n->poly->normal;
      if (std::fabs(nn[0]) + std::fabs(nn[1]) + std::fabs(nn[2]) > 1.0001) ++slanted;
      for (int k = 1; k < 4; ++k) {
        const map_vertex &a = n->poly->verts[0], &b = n->poly->verts[k];
        EXPECT_NEAR((b.x - a.x) * nn[0] + (b.y - a.y) * nn[1] + (b.z - a.z) * nn[2], 0, 1e-9);
      }
      stack.push_back(n->front);
      stack.push_back(n->back);
    }
    EXPECT_GE(slanted, slanted_at_least);
  }
  mapc_source src;
  mapc_result r;
  mapc_log log;
  loaded_map m;
};

TEST_F(BrushShapes, WedgeCylinderAndArch) {
  std::vector<brush> inside{wedge(32, 32, 160, 96, 0, 64)};
  std::vector<pt> ring;
  for (int i = 0; i < 16; ++i)
    ring.push_back({288 + 40 * std::cos(i * M_PI / 8), 64 + 40 * std::sin(i * M_PI / 8), 0});
  inside.push_back(prism(ring, 0, 96));
  // A round arch of eight stones on two pillars across the room: its
  // opening 64 wide and 80 high is the only way east.
  inside.push_back(box(432, 0, 0, 448, 32, 48));
  inside.push_back(box(432, 96, 0, 448, 128, 48));
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 8, b = (i + 1) * M_PI / 8;
    auto at = [](double r, double t) { return pt{432, 64 + r * std::cos(t), 48 + r * std::sin(t)}; };
    pt p = at(32, a), q = at(48, a), s = at(48, b), t = at(32, b);
    auto far = [](pt v) { return pt{448, v.y, v.z}; };
    brush stone;
    stone.faces = {{p, q, far(q)}, {q, s, far(s)}, {s, t, far(t)},
                   {t, p, far(p)}, {p, q, s},      {far(p), far(q), far(s)}};
    inside.push_back(stone);
  }
  compile(room(512, 128, 128, inside, ent("info_player_start", 16, 16, 0) + ent("ent_exit", 500, 64, 0)), 20);
  // The exit lies beyond the arch: the player's way runs under it.
  const double before[3] = {400 / 16.0, 1.0, -64 / 16.0}, after[3] = {480 / 16.0, 1.0, -64 / 16.0};
  EXPECT_EQ(bsp_segment_clear(before, after, m.root), 1);
  const double stone[3] = {440 / 16.0, 88 / 16.0, -64 / 16.0};
  EXPECT_EQ(bsp_segment_clear(stone, stone, m.root), 0);
}

}  // namespace

namespace {

// A ramp across the room up onto a ledge 4 units high; the exit stands on
// the ledge.
std::string ramp_room(double run) {
  std::vector<brush> inside{wedge(160 - run, 0, 160, 128, 0, 64), box(160, 0, 0, 256, 128, 64)};
  return room(
      256, 128, 160, inside,
      ent("info_player_start", 24, 100, 0) + ent("ent_exit", 232, 32, 64) + ent("light", 128, 64, 144));
}

TEST_F(BrushShapes, RampsUpTo45DegreesAreWalkedByThePlayerTick) {
  for (double run : {128.0, 64.0}) {
    SCOPED_TRACE(run);
    compile(ramp_room(run), 1);
    int from = nav_node_near(m.nodes, m.root, {1.5, 0, -6.25}),
        to = nav_node_near(m.nodes, m.root, {14.5, 4, -2});
    ASSERT_GE(from, 0);
    ASSERT_GE(to, 0);
    std::vector<int> route = nav_route(m.nodes, from, to);
    ASSERT_FALSE(route.empty());
    player p = fresh_player(1.5, 0, -6.25);
    reset_program_flags();
    capture_stdout_begin();
    walk_outcome out = walk_route(p, m.head, m.root, m.nodes, route, {14.5, 4, -2}, 3.0, false, 60 * 60);
    capture_stdout_end();
    EXPECT_TRUE(out.level_done) << out.log;
    reset_program_flags();
    free_loaded_map(m);
  }
}

}  // namespace

namespace {

TEST_F(BrushShapes, AnEnemyWalksItsRouteUpTheRamp) {
  compile(ramp_room(64.0), 1);
  int from = nav_node_near(m.nodes, m.root, {1.5, 0, -6.25}),
      to = nav_node_near(m.nodes, m.root, {14.5, 4, -2});
  std::vector<int> route = nav_route(m.nodes, from, to);
  ASSERT_GE(route.size(), 2u);
  entity e{};
  e.type = 202;
  e.pos[0] = 1.5, e.pos[2] = -6.25;
  // The route's nodes one after the other, as the route state walks them.
  int ticks = 0;
  for (int id : route) {
    walk_point n = nav_node_pos(m.nodes, id);
    const double target[3] = {n.x, n.y, n.z};
    for (int i = 0; i < 600 && steer_toward(e, m.root, target, 1.0, 0.01) == 0; ++i, ++ticks)
      enemy_world_motion(e, m.root, 0.01);
  }
  EXPECT_GT(e.pos[1], 3.9) << "the enemy stands on the ledge after " << ticks << " ticks";
  walk_point last = nav_node_pos(m.nodes, route.back());
  EXPECT_LT(std::hypot(e.pos[0] - last.x, e.pos[2] - last.z), 1.1) << "it reached the route's last node";
}

}  // namespace

namespace {

TEST_F(BrushShapes, DoorwaysOffTheUnitGridAreWalkedThrough) {
  // A wall 16 thick centred on a grid line (faces on half units), one door
  // two units wide; then a door 12 map units (0.75) wide off every grid line.
  for (double door : {32.0, 12.0}) {
    SCOPED_TRACE(door);
    std::vector<brush> walls{box(248, 0, 0, 264, 50, 128), box(248, 50 + door, 0, 264, 128, 128)};
    compile(room(512, 128, 128, walls, ent("info_player_start", 32, 64, 0) + ent("ent_exit", 480, 64, 0)), 0);
    free_loaded_map(m);
  }
}

TEST_F(BrushShapes, ALeakThroughASlantedWallWritesItsWayOut) {
  // The east wall leans out, two slanted slabs with a gap between them.
  auto slab = [](double y0, double y1) {
    brush b;
    b.faces = {{{496, y0, 0}, {512, y0, 0}, {512, y1, 0}},   {{512, y0, 128}, {528, y0, 128}, {528, y1, 128}},
               {{496, y0, 0}, {496, y1, 0}, {512, y1, 128}}, {{512, y0, 0}, {512, y1, 0}, {528, y1, 128}},
               {{496, y0, 0}, {512, y0, 0}, {528, y0, 128}}, {{496, y1, 0}, {512, y1, 0}, {528, y1, 128}}};
    return b;
  };
  std::string text =
      room(512, 128, 128, {}, ent("info_player_start", 64, 64, 0), {slab(0, 48), slab(80, 128)});
  mapc_options options;
  options.point_file = testing::TempDir() + "slanted_leak.pts";
  std::remove(options.point_file.c_str());
  EXPECT_FALSE(compile_text(text, "slanted.map", src, r, log, options));
  ASSERT_FALSE(log.errors.empty());
  EXPECT_NE(log.errors[0].find("leak: the space around info_player_start"), std::string::npos)
      << log.errors[0];
  std::ifstream pts(options.point_file);
  std::vector<pt> way;
  for (double x, y, z; pts >> x >> y >> z;) way.push_back({x, y, z});
  ASSERT_GE(way.size(), 2u);
  EXPECT_NEAR(way.front().x, 64, 1e-6);
  EXPECT_NEAR(way.front().y, 64, 1e-6);
  EXPECT_GT(way.back().x, 528) << "the way ends outside the level";
  bool through_gap = false;
  for (const pt& p : way) through_gap = through_gap || (p.x > 496 && p.x < 528 && p.y > 48 && p.y < 80);
  EXPECT_TRUE(through_gap) << "the way out passes between the slabs";
  // Closing the gap with a third slab seals the level.
  mapc_log sealed;
  text = room(512, 128, 128, {}, ent("info_player_start", 64, 64, 0) + ent("ent_exit", 400, 64, 0),
              {slab(0, 48), slab(48, 80), slab(80, 128)});
  EXPECT_TRUE(compile_text(text, "sealed.map", src, r, sealed, options)) << sealed.errors[0];
}

}  // namespace
