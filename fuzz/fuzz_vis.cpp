// libFuzzer target: the visible sets' reader on arbitrary bytes, through a
// real file beside a map's name as a level start reads it, for a small
// tree of three leaves; what it accepts is then asked what the world pass
// and the sprites ask.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "world/bsp_node.h"
#include "world/world_vis.h"

namespace {

char map_path[64], vis_path[64];

// A plane through the origin with the given normal.
bsp_node* inner(double nx, double nz, bsp_node* front, bsp_node* back) {
  static map_vertex origin{0, 0, 0, 0, 0};
  bsp_polygon* p = new bsp_polygon{};
  p->verts = &origin;
  p->vert_count = 1;
  p->normal[0] = nx;
  p->normal[2] = nz;
  return new bsp_node{p, front, back, 0, 0};
}

bsp_node* leaf(int contents) { return new bsp_node{nullptr, nullptr, nullptr, 1, contents}; }

// x > 0 is split by z into two empty leaves; x < 0 is solid.
const bsp_node* tree() {
  static const bsp_node* root = inner(1, 0, inner(0, 1, leaf(0), leaf(0)), leaf(1));
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!freopen("/dev/null", "w", stdout)) return 0;
  char dir[] = "/tmp/tarvo_fuzz_vis_XXXXXX";
  if (!mkdtemp(dir)) return 0;
  snprintf(map_path, sizeof map_path, "%s/level.t3bsp", dir);
  snprintf(vis_path, sizeof vis_path, "%s/level.vis", dir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = fopen(vis_path, "wb");
  if (!file) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  world_vis vis;
  if (!world_vis_load(vis, map_path, tree())) {
    if (vis.root) abort();  // a refused file leaves no sets
    return 0;
  }
  const double eyes[][3] = {{1, 1, 1}, {1, 1, -1}, {-1, 1, 1}, {0, 0, 0}};
  for (const auto& eye : eyes) {
    world_vis_update(vis, tree(), eye);
    for (const auto& p : eyes) world_vis_sees(vis, tree(), p);
    const double lo[3] = {-2, 0, -2}, hi[3] = {2, 2, 2}, lo_right[3] = {0.5, 0, 0.5};
    world_vis_box_seen(vis, tree(), lo, hi);
    world_vis_box_seen(vis, tree(), lo_right, hi);
  }
  return 0;
}
