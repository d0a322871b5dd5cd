// The order of the compile's passes.
#include "tools/mapc/compile.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/mapc/csg.h"
#include "tools/mapc/grid_parser.h"
#include "tools/mapc/map_parser.h"
#include "tools/mapc/map_writer.h"
#include "tools/mapc/source_limits.h"
#include "tools/mapc/space_grid.h"
#include "tools/mapc/validate.h"

namespace {

bool ends_with(const std::string& s, const char* end) {
  std::string e = end;
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

// Faces whose front looks into the void around the level are never seen from inside.
std::vector<char> faces_facing_void(const std::vector<mapc_face>& faces, const mapc_space& space) {
  std::vector<char> unlit(faces.size(), 0);
  for (size_t i = 0; i < faces.size(); ++i) {
    const mapc_face& f = faces[i];
    double p[3];
    p[f.axis] = f.plane + 0.01 * f.dir;
    p[(f.axis + 1) % 3] = (f.lo[0] + f.hi[0]) / 2;
    p[(f.axis + 2) % 3] = (f.lo[1] + f.hi[1]) / 2;
    int cell = mapc_space_cell(space, {p[0], p[1], p[2]});
    unlit[i] = cell < 0 || space.outside[cell];
  }
  return unlit;
}

bool check_boxes(const mapc_source& src, mapc_log& log) {
  bool ok = true;
  for (const mapc_box& b : src.boxes)
    for (int k = 0; k < 3; ++k)
      if (!(b.hi[k] > b.lo[k])) {
        mapc_error(log, "%s:%d: entity %d, brush %d: the box has no thickness", src.file.c_str(), b.line, b.entity,
                   b.brush);
        ok = false;
        break;
      }
  if (src.boxes.empty()) {
    mapc_error(log, "%s: the level has no brushes", src.file.c_str());
    ok = false;
  }
  return ok;
}

}  // namespace

bool mapc_load_source(const std::string& path, mapc_source& src, mapc_log& log) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    mapc_error(log, "%s: cannot open the file", path.c_str());
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  src = mapc_source{};
  if (ends_with(path, ".map")) return mapc_parse_map(text.str(), path, src, log);
  return mapc_parse_grid(text.str(), path, src, log);
}

bool mapc_compile(const mapc_source& src, const mapc_options& options, mapc_result& out, mapc_log& log) {
  auto t0 = std::chrono::steady_clock::now();
  if (!mapc_check_source_limits(src, log) || !check_boxes(src, log) || !mapc_check_space_cells(src, log))
    return false;
  out.surface = mapc_csg_faces(src.boxes);
  mapc_space space = mapc_space_build(src.boxes);
  if (!mapc_check_leaks(src, space, options.point_file, log)) return false;
  out.tree = mapc_bsp_build(out.surface);
  out.textures = mapc_texture_list(out.tree);
  std::vector<char> outer = faces_facing_void(out.surface, space);
  std::vector<mapc_face> inner;
  for (size_t i = 0; i < out.surface.size(); ++i)
    if (!outer[i]) inner.push_back(out.surface[i]);
  if (!mapc_check_floor_area(src, inner, log)) return false;
  out.spots = mapc_find_spots(out.tree, inner);
  if (!mapc_check_level(src, out.tree, out.spots, out.textures, options.texture_dir, log)) return false;
  out.facing_void = faces_facing_void(out.tree.faces, space);
  out.grids = mapc_light_faces(out.tree, src, out.facing_void);
  out.nav = mapc_build_nav(out.tree, out.spots);
  out.link_count = 0;
  for (const mapc_nav_node& n : out.nav) out.link_count += static_cast<int>(n.links.size());
  if (!mapc_check_output_limits(src, out, log)) return false;
  out.text = mapc_write_map(out.nav, src.entities, out.textures, out.tree, out.grids);
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return true;
}

std::string mapc_summary(const mapc_result& r) {
  char buf[256];
  snprintf(buf, sizeof buf, "%d polygons, %d nodes, depth %d, %d nav nodes, %d links, %.2f s",
           static_cast<int>(r.tree.faces.size()), static_cast<int>(r.tree.nodes.size()), r.tree.depth,
           static_cast<int>(r.nav.size()), r.link_count, r.seconds);
  return buf;
}
