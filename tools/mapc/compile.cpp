// The order of the compile's passes.
#include "tools/mapc/compile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/mapc/brush.h"
#include "tools/mapc/clusters.h"
#include "tools/mapc/csg.h"
#include "tools/mapc/grid_parser.h"
#include "tools/mapc/map_parser.h"
#include "tools/mapc/map_writer.h"
#include "tools/mapc/portals.h"
#include "tools/mapc/source_limits.h"
#include "tools/mapc/texture_axes.h"
#include "tools/mapc/validate.h"
#include "tools/mapc/vis.h"

namespace {

bool ends_with(const std::string& s, const char* end) {
  std::string e = end;
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

// Faces whose front looks into the void around the level (a leaf the flood
// from outside reached) are never seen from inside.
std::vector<char> faces_facing_void(const std::vector<mapc_face>& faces, const mapc_tree& tree,
                                    const mapc_portals& portals) {
  std::vector<char> unlit(faces.size(), 0);
  for (size_t i = 0; i < faces.size(); ++i) {
    const mapc_face& f = faces[i];
    mapc_vec c = mapc_winding_centre(f.w);
    if (mapc_face_is_axis_rect(f)) {
      // The middle of the rectangle, exactly.
      double lo[3] = {f.w[0].x, f.w[0].y, f.w[0].z}, hi[3] = {lo[0], lo[1], lo[2]};
      for (const mapc_vec& v : f.w) {
        const double q[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], q[k]), hi[k] = std::max(hi[k], q[k]);
      }
      c = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
    }
    const double p[3] = {c.x + 0.01 * f.plane.n[0], c.y + 0.01 * f.plane.n[1], c.z + 0.01 * f.plane.n[2]};
    unlit[i] = portals.reached[mapc_leaf_at(tree, p)];
  }
  return unlit;
}

// Texture axes given in texels become repeats of each texture's own size.
void resolve_texture_sizes(mapc_source& src, const std::string& texture_dir) {
  std::map<std::string, std::pair<int, int>> sizes;
  for (mapc_brush& b : src.brushes)
    for (mapc_brush_face& f : b.faces) {
      if (!f.tex_pixels) continue;
      auto it = sizes.find(f.texture);
      if (it == sizes.end()) {
        int w, h;
        mapc_texture_size(texture_dir, f.texture, &w, &h);
        it = sizes.emplace(f.texture, std::make_pair(w, h)).first;
      }
      mapc_texels_to_repeats(f.tex, it->second.first, it->second.second);
      f.tex_pixels = false;
    }
}

// The compile's passes as they end: once the compile has run for over a
// second, a line for each pass so far and then for each pass as it ends.
struct pass_clock {
  std::string file;
  bool on = false;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now(), last = start;
  std::vector<std::string> held;
  bool shown = false;

  void passed(const char* name) {
    if (!on) return;
    auto now = std::chrono::steady_clock::now();
    char line[256];
    snprintf(line, sizeof line, "mapc: %s: %s, %.2f s\n", file.c_str(), name,
             std::chrono::duration<double>(now - last).count());
    last = now;
    held.push_back(line);
    if (!shown && std::chrono::duration<double>(now - start).count() <= 1.0) return;
    shown = true;
    for (const std::string& l : held) fputs(l.c_str(), stdout);
    held.clear();
    fflush(stdout);
  }
};

bool check_brushes(mapc_source& src, mapc_log& log) {
  bool ok = true;
  for (mapc_brush& b : src.brushes) {
    bool solid = b.box;
    if (b.box)
      for (int k = 0; k < 3; ++k) solid = solid && b.hi[k] > b.lo[k];
    else
      solid = mapc_brush_bound(b);
    if (!solid) {
      mapc_error(log, "%s:%d: entity %d, brush %d: the brush has no volume (its planes enclose nothing)",
                 src.file.c_str(), b.line, b.entity, b.brush);
      ok = false;
    }
  }
  if (src.brushes.empty()) {
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

bool mapc_compile(const mapc_source& source, const mapc_options& options, mapc_result& out, mapc_log& log) {
  auto t0 = std::chrono::steady_clock::now();
  mapc_source src = source;
  pass_clock clock;
  clock.file = source.file;
  clock.on = options.progress;
  if (!check_brushes(src, log) || !mapc_check_source_limits(src, log)) return false;
  resolve_texture_sizes(src, options.texture_dir);
  out.surface = mapc_csg_faces(src.brushes);
  clock.passed("surface");
  mapc_tree cut = mapc_bsp_build(out.surface);
  clock.passed("tree");
  mapc_portals portals = mapc_make_portals(cut);
  mapc_flood_outside(cut, portals);
  clock.passed("portals and leaks");
  if (!mapc_check_leaks(src, cut, portals, options.point_file, log)) return false;
  std::vector<int> node_map;
  out.tree = mapc_tree_quads(cut, &node_map);
  out.textures = mapc_texture_list(out.tree);
  std::vector<char> outer = faces_facing_void(out.surface, cut, portals);
  std::vector<mapc_face> inner;
  for (size_t i = 0; i < out.surface.size(); ++i)
    if (!outer[i]) inner.push_back(out.surface[i]);
  if (!mapc_check_floor_area(src, inner, log)) return false;
  out.spots = mapc_find_spots(out.tree, inner);
  clock.passed("standing spots");
  if (!mapc_check_level(src, out.tree, out.spots, out.textures, options.texture_dir, log)) return false;
  clock.passed("checks");
  out.facing_void = faces_facing_void(out.tree.faces, cut, portals);
  out.grids = mapc_light_faces(out.tree, src, out.facing_void);
  clock.passed("light");
  out.nav = mapc_build_nav(out.tree, out.spots);
  clock.passed("navigation");
  out.link_count = 0;
  for (const mapc_nav_node& n : out.nav) out.link_count += static_cast<int>(n.links.size());
  if (!mapc_check_output_limits(src, out, log)) return false;
  out.text = mapc_write_map(out.nav, src.entities, out.textures, out.tree, out.grids);
  clock.passed("map text");
  if (options.vis) {
    mapc_clusters clusters = mapc_make_clusters(src.brushes, cut, portals);
    clock.passed("clusters");
    mapc_vis vis = mapc_compute_vis(clusters.tree, clusters.portals, clusters.inside);
    int leaf_count = 0;
    std::vector<int> final_number = mapc_leaf_numbers(out.tree, &leaf_count);
    std::vector<int> cut_number(cut.nodes.size(), -1);
    for (size_t n = 0; n < cut.nodes.size(); ++n)
      if (node_map[n] >= 0) cut_number[n] = final_number[node_map[n]];
    out.vis_file =
        mapc_vis_file(vis, clusters.of_leaf, cut_number, leaf_count, static_cast<int>(out.tree.faces.size()));
    out.vis_clusters = 0;
    for (const std::vector<int>& row : vis.sees) out.vis_clusters += row.empty() ? 0 : 1;
    out.vis_portals = vis.portals;
    out.vis_gave_up = vis.gave_up;
    clock.passed("visible sets");
  }
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
