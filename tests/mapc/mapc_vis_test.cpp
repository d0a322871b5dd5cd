// Visible sets: written by the compiler beside the map, read by the world pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tests/mapc/mapc_load.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/bsp_query.h"
#include "world/world_vis.h"

namespace {

// Two rooms joined by a corridor that turns twice: from the west room the
// east room cannot be seen at all.
const char* bent_rooms =
    "grid\n"
    "###############\n"
    "#....#####....#\n"
    "#.P..#...#..E.#\n"
    "#....#.#.#....#\n"
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
      ASSERT_TRUE(world_vis_sees(vis, m.root, b)) << a[0] << " " << a[1] << " " << a[2] << " -> " << b[0] << " "
                                                  << b[1] << " " << b[2];
    } else if (!world_vis_sees(vis, m.root, b)) {
      ++hidden;
    }
  }
  EXPECT_GT(pairs, 200);
  EXPECT_GT(hidden, 100) << "the sets leave out leaves that cannot be seen";
  const double west[3] = {4, 2, 5}, east[3] = {25, 2, 5};
  ASSERT_TRUE(world_vis_update(vis, m.root, west));
  EXPECT_FALSE(world_vis_sees(vis, m.root, east));
  // A damaged file is refused with a line and the level is drawn whole.
  std::ofstream(vis_path, std::ios::binary) << r.vis_file.substr(0, r.vis_file.size() / 2);
  capture_stdout_begin();
  EXPECT_FALSE(world_vis_load(vis, map.c_str(), m.root));
  EXPECT_EQ(capture_stdout_end(), "vis \"" + vis_path + "\" ignored: cut short\n");
  EXPECT_FALSE(world_vis_update(vis, m.root, west));
  std::remove(vis_path.c_str());
  free_loaded_map(m);
}

}  // namespace
