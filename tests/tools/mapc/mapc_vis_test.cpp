// Visible sets: written by the compiler beside the map, read by the world pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "world/bsp_query.h"
#include "world/world_vis.h"

namespace {

// Two rooms joined by a corridor that turns twice: from the west room the
// east room cannot be seen at all. Each room holds a crate and a pillar
// marked detail, so the sets are worked out on clusters that hold many of
// the tree's leaves.
const char* bent_rooms =
    "kind crate 1 4 crate ceiling_panel crate\n"
    "key c crate\n"
    "solid o concrete\n"
    "detail c\n"
    "detail o\n"
    "grid\n"
    "###############\n"
    "#..o.#####.c..#\n"
    "#.P..#...#..E.#\n"
    "#.c..#.#.#..o.#\n"
    "#......#......#\n"
    "#L...###...L..#\n"
    "###############\n"
    "end\n";

TEST(MapcVis, NothingSeenIsLeftOutAndTheHiddenRoomIs) {
  ASSERT_TRUE(test_gl_context());
  mapc_source src;
  mapc_result r;
  mapc_log log;
  mapc_options options;
  options.vis = true;
  ASSERT_TRUE(compile_text(std::string(small_room_head) + bent_rooms, "bent.lvl", src, r, log, options));
  std::string map = testing::TempDir() + "bent.t3bsp", vis_path = testing::TempDir() + "bent.vis";
  std::ofstream(vis_path, std::ios::binary) << r.vis_file;
  loaded_map m;
  load_map_text(r.text, m);
  world_vis vis;
  ASSERT_TRUE(world_vis_load(vis, map.c_str(), m.root));
  // Any two points in the open with a clear line between them: the second's
  // leaf is in the set of the first's.
  srand(11);
  int pairs = 0, hidden = 0;
  for (int i = 0; i < 4000; ++i) {
    double a[3] = {2 + 26.0 * rand() / RAND_MAX, 0.1 + 3.8 * rand() / RAND_MAX, 2 + 10.0 * rand() / RAND_MAX};
    double b[3] = {2 + 26.0 * rand() / RAND_MAX, 0.1 + 3.8 * rand() / RAND_MAX, 2 + 10.0 * rand() / RAND_MAX};
    if (!bsp_segment_clear(a, a, m.root) || !bsp_segment_clear(b, b, m.root)) continue;
    ASSERT_TRUE(world_vis_update(vis, m.root, a));
    if (bsp_segment_clear(a, b, m.root)) {
      ++pairs;
      ASSERT_TRUE(world_vis_sees(vis, m.root, b))
          << a[0] << " " << a[1] << " " << a[2] << " -> " << b[0] << " " << b[1] << " " << b[2];
    } else if (!world_vis_sees(vis, m.root, b)) {
      ++hidden;
    }
  }
  EXPECT_GT(pairs, 200);
  EXPECT_GT(hidden, 100) << "the sets leave out leaves that cannot be seen";
  const double west[3] = {4, 2, 5}, east[3] = {25, 2, 5};
  ASSERT_TRUE(world_vis_update(vis, m.root, west));
  EXPECT_FALSE(world_vis_sees(vis, m.root, east));
  // A box (a sprite's) is seen when any leaf it reaches into is: one in
  // the east room is not; one in the west room is, and so is one across the
  // corridor's wall whose middle is in solid but whose west end is in sight.
  const double east_lo[3] = {23, 0, 4}, east_hi[3] = {26, 3, 7};
  const double bend_lo[3] = {13, 0, 8.5}, bend_hi[3] = {17, 3, 9.5};
  const double west_lo[3] = {3, 0, 4}, west_hi[3] = {4, 1, 5};
  EXPECT_FALSE(world_vis_box_seen(vis, m.root, east_lo, east_hi));
  EXPECT_TRUE(world_vis_box_seen(vis, m.root, west_lo, west_hi));
  EXPECT_TRUE(world_vis_box_seen(vis, m.root, bend_lo, bend_hi));
  // An eye in solid sees everything.
  const double in_wall[3] = {11, 2, 3};
  EXPECT_FALSE(world_vis_update(vis, m.root, in_wall));
  EXPECT_TRUE(world_vis_box_seen(vis, m.root, east_lo, east_hi));
  // A damaged file, or one of the older version, is refused with a line
  // and the level is drawn whole.
  std::ofstream(vis_path, std::ios::binary) << r.vis_file.substr(0, r.vis_file.size() - 1);
  capture_stdout_begin();
  EXPECT_FALSE(world_vis_load(vis, map.c_str(), m.root));
  EXPECT_EQ(capture_stdout_end(), "vis \"" + vis_path + "\" ignored: cut short\n");
  EXPECT_FALSE(world_vis_update(vis, m.root, west));
  std::string old_version = r.vis_file;
  old_version[4] = 1;
  std::ofstream(vis_path, std::ios::binary) << old_version;
  capture_stdout_begin();
  EXPECT_FALSE(world_vis_load(vis, map.c_str(), m.root));
  EXPECT_EQ(capture_stdout_end(), "vis \"" + vis_path + "\" ignored: not a vis file of version 2\n");
  std::remove(vis_path.c_str());
  free_loaded_map(m);
}

}  // namespace
