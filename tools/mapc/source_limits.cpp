// What the game's map reader accepts, checked before a map file is written.
#include "tools/mapc/source_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/mapc/compile.h"
#include "tools/mapc/map_writer.h"
#include "world/map_stream.h"
#include "world/world_texture.h"

namespace {

constexpr size_t texture_extension_length = 5;  // ".webp"

const char* axis_name(int k) { return k == 0 ? "x" : k == 1 ? "y" : "z"; }

bool coordinate_ok(double v) { return std::isfinite(v) && std::fabs(v) <= mapc_max_coordinate; }

bool check_brush(const mapc_source& src, const mapc_brush& b, mapc_log& log) {
  for (int k = 0; k < 3; ++k)
    if (!coordinate_ok(b.lo[k]) || !coordinate_ok(b.hi[k])) {
      mapc_error(log,
                 "%s:%d: entity %d, brush %d: the %s reaches %s = %g (world units); a level must lie within "
                 "%.0f of the origin (%.0f map units) for the game to read its coordinates",
                 src.file.c_str(), b.line, b.entity, b.brush, b.box ? "box" : "brush", axis_name(k),
                 coordinate_ok(b.lo[k]) ? b.hi[k] : b.lo[k], mapc_max_coordinate, mapc_max_coordinate * 16);
      return false;
    }
  for (const mapc_brush_face& f : b.faces) {
    std::string problem = mapc_texture_name_problem(f.texture);
    if (problem.empty()) continue;
    mapc_error(log, "%s:%d: entity %d, brush %d: %s", src.file.c_str(), b.line, b.entity, b.brush,
               problem.c_str());
    return false;
  }
  return true;
}

bool check_entity(const mapc_source& src, const mapc_entity& e, mapc_log& log) {
  const double v[3] = {e.pos.x, e.pos.y, e.pos.z};
  for (int k = 0; k < 3; ++k) {
    if (!std::isfinite(v[k])) {
      mapc_error(log, "%s:%d: %s: its %s coordinate is not a number", src.file.c_str(), e.line,
                 e.classname.c_str(), axis_name(k));
      return false;
    }
    if (mapc_list_number_fits(v[k])) continue;
    mapc_error(log,
               "%s:%d: %s: its %s coordinate %g (world units) is written as \"%s\", longer than the %zu "
               "characters the game reads",
               src.file.c_str(), e.line, e.classname.c_str(), axis_name(k), v[k],
               mapc_format_real(v[k]).c_str(), map_list_token_size - 1);
    return false;
  }
  return true;
}

}  // namespace

const size_t mapc_max_texture_name = world_texture_path_size - 1 - texture_extension_length;

std::string mapc_texture_name_problem(const std::string& name) {
  char why[160];
  if (name.empty()) return "a face has an empty texture name";
  if (name.size() > mapc_max_texture_name) {
    snprintf(why, sizeof why, "texture name \"%.40s...\" has %zu characters (at most %zu)", name.c_str(),
             name.size(), mapc_max_texture_name);
    return why;
  }
  for (unsigned char c : name) {
    if (c == ' ') {
      snprintf(why, sizeof why, "texture name \"%s\" has a space; the game reads names without spaces",
               name.c_str());
      return why;
    }
    if (c < 0x20 || c == 0x7f) {
      snprintf(why, sizeof why,
               "texture name has the control character 0x%02x; the game reads names without them", c);
      return why;
    }
  }
  return "";
}

bool mapc_list_number_fits(double value) { return mapc_format_real(value).size() < map_list_token_size; }

bool mapc_check_source_limits(const mapc_source& src, mapc_log& log) {
  bool ok = true;
  for (const mapc_brush& b : src.brushes) ok = check_brush(src, b, log) && ok;
  for (const mapc_entity& e : src.entities) ok = check_entity(src, e, log) && ok;
  for (const mapc_light& l : src.lights)
    if (!coordinate_ok(l.pos.x) || !coordinate_ok(l.pos.y) || !coordinate_ok(l.pos.z)) {
      mapc_error(log, "%s:%d: a light at (%g, %g, %g) lies beyond %g units of the origin", src.file.c_str(),
                 l.line, l.pos.x, l.pos.y, l.pos.z, mapc_max_coordinate);
      ok = false;
    }
  return ok;
}

bool mapc_check_output_limits(const mapc_source& src, const mapc_result& result, mapc_log& log) {
  bool ok = true;
  auto over = [&](const char* what, size_t count, size_t limit) {
    if (count <= limit) return;
    mapc_error(log, "%s: %zu %s, more than the %zu the game reads", src.file.c_str(), count, what, limit);
    ok = false;
  };
  over("navigation nodes", result.nav.size(), static_cast<size_t>(map_max_list_records));
  over("entities", src.entities.size(), static_cast<size_t>(map_max_list_records));
  over("world textures", result.textures.size(), static_cast<size_t>(map_max_textures));
  // The root is one level; each level below adds one record the reader opens.
  over("tree levels", static_cast<size_t>(result.tree.depth) + 1, static_cast<size_t>(map_max_tree_depth));
  size_t most_links = 0;
  for (size_t i = 0; i < result.nav.size(); ++i) {
    const mapc_nav_node& n = result.nav[i];
    if (n.links.size() > most_links) most_links = n.links.size();
    if (!mapc_list_number_fits(n.pos.x) || !mapc_list_number_fits(n.pos.y) ||
        !mapc_list_number_fits(n.pos.z)) {
      mapc_error(log,
                 "%s: navigation node %zu at (%g, %g, %g) has a coordinate too long for the game to read",
                 src.file.c_str(), i, n.pos.x, n.pos.y, n.pos.z);
      ok = false;
    }
  }
  over("links on one navigation node", most_links, static_cast<size_t>(map_max_links));
  return ok;
}

double mapc_floor_area(const std::vector<mapc_face>& surface) {
  double area = 0;
  for (const mapc_face& f : surface)
    if (f.plane.n[1] >= mapc_floor_min_up) area += mapc_winding_area(f.w) * f.plane.n[1];
  return area;
}

bool mapc_check_floor_area(const mapc_source& src, const std::vector<mapc_face>& surface, mapc_log& log) {
  double area = mapc_floor_area(surface);
  if (area <= mapc_max_floor_area) return true;
  mapc_error(log,
             "%s: the floors cover %.0f square units, more than the %.0f (512 x 512) the navigation graph is "
             "built over",
             src.file.c_str(), area, mapc_max_floor_area);
  return false;
}
