// Leak search, entity placement, texture files and the exit's reachability.
#include "tools/mapc/validate.h"

#include <sys/stat.h>

#include <cstdio>

#include "tools/mapc/map_parser.h"

namespace {

// Entities stand on the floor: their position is tested a little above the feet.
constexpr double feet_lift = 0.05;
// The exit completes the level when the player comes closer than this.
constexpr double exit_reach = 3.0;

void write_point_file(const mapc_portals& portals, int leaf, const mapc_vec& from, const std::string& path,
                      mapc_log& log) {
  FILE* f = fopen(path.c_str(), "w");
  if (!f) {
    mapc_warning(log, "cannot write the point file \"%s\"", path.c_str());
    return;
  }
  std::vector<mapc_vec> way{from};
  for (const mapc_vec& p : mapc_way_out(portals, leaf)) way.push_back(p);
  for (const mapc_vec& p : way) {
    mapc_vec m = mapc_world_to_map(p);
    fprintf(f, "%g %g %g\n", m.x, m.y, m.z);
  }
  fclose(f);
}

// The leaf holding p when the flood from outside reached it, else -1.
int leak_leaf(const mapc_tree& tree, const mapc_portals& portals, const mapc_vec& p) {
  const double q[3] = {p.x, p.y, p.z};
  int leaf = mapc_leaf_at(tree, q);
  return portals.reached[leaf] ? leaf : -1;
}

bool in_solid(const mapc_tree& tree, const mapc_vec& p) {
  const double q[3] = {p.x, p.y, p.z};
  return mapc_point_solid(tree, q);
}

// Enemies whose death can end a level that has no exit: the two bosses, and
// the brute that ends the outpost level.
bool ends_level_by_death(int type) { return type == 209 || type == 212 || type == 213; }

// A level without an exit ends only when its boss dies, so the player must be
// able to walk and jump to every boss as it would to an exit.
bool check_bosses(const mapc_source& src, const mapc_tree& tree, const mapc_floor_spots& spots,
                  const mapc_entity& start, mapc_log& log) {
  bool ok = true, any_boss = false;
  for (const mapc_entity& e : src.entities) {
    if (!ends_level_by_death(e.type)) continue;
    any_boss = true;
    if (!mapc_player_reaches(tree, spots, start.pos, e.pos, exit_reach)) {
      mapc_error(log,
                 "%s:%d: %s at (%g, %g, %g) cannot be reached from the player start by walking and jumping",
                 src.file.c_str(), e.line, e.classname.c_str(), e.pos.x, e.pos.y, e.pos.z);
      ok = false;
    }
  }
  if (!any_boss) mapc_warning(log, "%s: no ent_exit and no boss: nothing ends the level", src.file.c_str());
  return ok;
}

}  // namespace

bool mapc_check_leaks(const mapc_source& src, const mapc_tree& tree, const mapc_portals& portals,
                      const std::string& point_file, mapc_log& log) {
  bool ok = true;
  auto report = [&](const mapc_vec& at, int leaf) {
    if (ok && !point_file.empty()) {
      write_point_file(portals, leaf, at, point_file, log);
      mapc_error(log, "%s: the leak's way out is in \"%s\"", src.file.c_str(), point_file.c_str());
    }
    ok = false;
  };
  for (const mapc_entity& e : src.entities) {
    mapc_vec at{e.pos.x, e.pos.y + feet_lift, e.pos.z};
    int leaf = leak_leaf(tree, portals, at);
    if (leaf < 0) continue;
    mapc_error(log, "%s:%d: leak: the space around %s at (%g, %g, %g) reaches the outside of the level",
               src.file.c_str(), e.line, e.classname.c_str(), e.pos.x, e.pos.y, e.pos.z);
    report(at, leaf);
  }
  for (const mapc_light& l : src.lights) {
    int leaf = leak_leaf(tree, portals, l.pos);
    if (leaf < 0) continue;
    mapc_error(log, "%s:%d: leak: the space around a light at (%g, %g, %g) reaches the outside of the level",
               src.file.c_str(), l.line, l.pos.x, l.pos.y, l.pos.z);
    report(l.pos, leaf);
  }
  return ok;
}

bool mapc_check_level(const mapc_source& src, const mapc_tree& tree, const mapc_floor_spots& spots,
                      const std::vector<std::string>& textures, const std::string& texture_dir,
                      mapc_log& log) {
  bool ok = true;
  const mapc_entity* start = nullptr;
  for (const mapc_entity& e : src.entities) {
    if (e.type == 1 && !start) start = &e;
    if (in_solid(tree, {e.pos.x, e.pos.y + feet_lift, e.pos.z})) {
      mapc_error(log, "%s:%d: %s at (%g, %g, %g) is inside solid", src.file.c_str(), e.line,
                 e.classname.c_str(), e.pos.x, e.pos.y, e.pos.z);
      ok = false;
    }
  }
  for (const mapc_light& l : src.lights)
    if (in_solid(tree, l.pos)) {
      mapc_error(log, "%s:%d: a light at (%g, %g, %g) is inside solid", src.file.c_str(), l.line, l.pos.x,
                 l.pos.y, l.pos.z);
      ok = false;
    }
  if (!start) {
    mapc_error(log, "%s: no player_start", src.file.c_str());
    ok = false;
  }
  if (!texture_dir.empty())
    for (const std::string& t : textures) {
      std::string path = texture_dir + "/" + t + ".webp";
      struct stat st;
      if (stat(path.c_str(), &st) != 0) {
        mapc_error(log, "%s: texture \"%s\" has no world texture (no %s)", src.file.c_str(), t.c_str(),
                   path.c_str());
        ok = false;
      }
    }
  if (!ok) return false;
  bool any_exit = false;
  for (const mapc_entity& e : src.entities) {
    if (e.type != 2) continue;
    any_exit = true;
    if (!mapc_player_reaches(tree, spots, start->pos, e.pos, exit_reach)) {
      mapc_error(
          log,
          "%s:%d: the exit at (%g, %g, %g) cannot be reached from the player start by walking and jumping",
          src.file.c_str(), e.line, e.pos.x, e.pos.y, e.pos.z);
      ok = false;
    }
  }
  if (!any_exit) ok = check_bosses(src, tree, spots, *start, log) && ok;
  return ok;
}
