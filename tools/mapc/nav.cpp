// Standing spots, node spreading, link tests, the repair of the graph's connections, player reach.
#include "tools/mapc/nav.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <numeric>

#include "tools/mapc/source_limits.h"

namespace {

bool clear(const mapc_tree& t, const mapc_vec& a, const mapc_vec& b) {
  const double pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
  return mapc_segment_clear(t, pa, pb) != 0;
}

mapc_vec up(const mapc_vec& p, double dx, double dy, double dz) { return {p.x + dx, p.y + dy, p.z + dz}; }

double dist(const mapc_vec& a, const mapc_vec& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// Half the width of the body a spot must have room for: the player's box.
constexpr double body_half = 0.25;

// The floor's height at (x, z) in the plane of a floor face.
double floor_height(const mapc_plane& f, double x, double z) {
  if (f.axis == 1) return f.d * f.n[1];
  return (f.d - f.n[0] * x - f.n[2] * z) / f.n[1];
}

// A spot needs room for a body: five upright lines 2.0 tall from the floor
// at the middle and at the four corners of the body (on a slope, each from
// the floor under it).
bool has_room(const mapc_tree& t, const mapc_vec& p, const mapc_plane& floor) {
  const double o[5][2] = {{0, 0},
                          {body_half, body_half},
                          {-body_half, body_half},
                          {body_half, -body_half},
                          {-body_half, -body_half}};
  for (const auto& d : o) {
    double y = std::max(p.y, floor_height(floor, p.x + d[0], p.z + d[1]));
    mapc_vec base{p.x + d[0], y, p.z + d[1]};
    if (!clear(t, up(base, 0, 0.05, 0), up(base, 0, 2.0, 0))) return false;
  }
  return true;
}

// Whether (x, z) lies in the floor polygon seen from above, its sides included.
bool over_floor(const mapc_winding& w, double x, double z) {
  int sign = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const mapc_vec& a = w[i];
    const mapc_vec& b = w[(i + 1) % w.size()];
    double cross = (b.x - a.x) * (z - a.z) - (b.z - a.z) * (x - a.x);
    double len = std::hypot(b.x - a.x, b.z - a.z);
    if (std::fabs(cross) <= 1e-9 * (len > 0 ? len : 1)) continue;
    int s = cross > 0 ? 1 : -1;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return true;
}

// The places tried in one cell of the spot grid: its middle first, then an
// eighth-unit grid nearest the middle first, so a narrow way that misses
// the middle still gets a spot.
const std::vector<std::pair<double, double>>& cell_offsets() {
  static const std::vector<std::pair<double, double>> offsets = [] {
    std::vector<std::pair<double, double>> o{{0.5, 0.5}};
    std::vector<std::pair<double, double>> fine;
    for (int a = 0; a < 8; ++a)
      for (int b = 0; b < 8; ++b) fine.push_back({(a + 0.5) / 8, (b + 0.5) / 8});
    std::stable_sort(fine.begin(), fine.end(), [](const auto& p, const auto& q) {
      return std::hypot(p.first - 0.5, p.second - 0.5) < std::hypot(q.first - 0.5, q.second - 0.5);
    });
    o.insert(o.end(), fine.begin(), fine.end());
    return o;
  }();
  return offsets;
}

// Horizontal cells of the spot grid.
long cell_of(double v) { return static_cast<long>(std::floor(v)); }

struct disjoint_sets {
  std::vector<int> parent;
  int find(int i) { return parent[i] == i ? i : parent[i] = find(parent[i]); }
  void join(int a, int b) { parent[find(a)] = find(b); }
  int add() {
    parent.push_back(static_cast<int>(parent.size()));
    return parent.back();
  }
};

struct graph_builder {
  const mapc_tree& tree;
  const mapc_floor_spots& spots;
  std::vector<std::vector<int>> walk;  // spot -> walkable neighbour spots
  std::vector<mapc_nav_node> nodes;
  disjoint_sets groups;
  std::vector<int> owner;  // spot -> nearest node it walks to, -1 when none
  std::vector<double> owner_dist;

  void add_node(const mapc_vec& p) {
    int id = static_cast<int>(nodes.size());
    nodes.push_back({p, {}});
    groups.add();
    for (int j = 0; j < id; ++j) {
      if (dist(nodes[j].pos, p) > mapc_nav_link_reach || !mapc_nav_walkable(tree, nodes[j].pos, p)) continue;
      nodes[j].links.push_back(id);
      nodes[id].links.push_back(j);
      groups.join(j, id);
    }
    for (size_t s = 0; s < spots.pos.size(); ++s) {
      double d = dist(spots.pos[s], p);
      if (d > mapc_nav_link_reach || d >= owner_dist[s]) continue;
      if (d == 0 || mapc_nav_walkable(tree, spots.pos[s], p)) {
        owner[s] = id;
        owner_dist[s] = d;
      }
    }
  }

  // Nodes where the floor is widest first, none within the spacing of another it can walk to.
  void spread(const std::vector<int>& width) {
    std::vector<int> order(spots.pos.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return width[a] > width[b]; });
    for (int s : order) {
      bool covered = false;
      for (const mapc_nav_node& n : nodes)
        if (dist(n.pos, spots.pos[s]) < mapc_nav_spacing && mapc_nav_walkable(tree, n.pos, spots.pos[s])) {
          covered = true;
          break;
        }
      if (!covered) add_node(spots.pos[s]);
    }
  }

  // Adds nodes until every spot has a node and neighbouring spots' nodes are connected.
  void repair() {
    for (bool changed = true; changed;) {
      changed = false;
      for (size_t s = 0; s < spots.pos.size(); ++s) {
        if (owner[s] < 0) {
          add_node(spots.pos[s]);
          changed = true;
          continue;
        }
        for (int n : walk[s]) {
          if (owner[n] >= 0 && groups.find(owner[n]) == groups.find(owner[s])) continue;
          int target = owner_dist[s] == 0 ? n : static_cast<int>(s);
          if (owner_dist[target] == 0) continue;  // both spots hold nodes already
          add_node(spots.pos[target]);
          changed = true;
          break;
        }
      }
    }
  }
};

// Steps from each spot to the nearest spot with fewer than eight walkable neighbours.
std::vector<int> floor_width(const std::vector<std::vector<int>>& walk) {
  std::vector<int> width(walk.size(), -1);
  std::deque<int> queue;
  for (size_t s = 0; s < walk.size(); ++s)
    if (walk[s].size() < 8) {
      width[s] = 0;
      queue.push_back(static_cast<int>(s));
    }
  while (!queue.empty()) {
    int s = queue.front();
    queue.pop_front();
    for (int n : walk[s])
      if (width[n] < 0) {
        width[n] = width[s] + 1;
        queue.push_back(n);
      }
  }
  return width;
}

// Spots in neighbouring cells of the grid (diagonals too).
bool adjacent_cells(const mapc_vec& a, const mapc_vec& b) {
  long dx = cell_of(a.x) - cell_of(b.x), dz = cell_of(a.z) - cell_of(b.z);
  return dx >= -1 && dx <= 1 && dz >= -1 && dz <= 1 && (dx != 0 || dz != 0);
}

}  // namespace

bool mapc_floor_gap(const mapc_tree& tree, const mapc_vec& a, const mapc_vec& b) {
  const double s[7] = {0.5, 0.25, 0.75, 0.125, 0.375, 0.875, 0.625};
  for (double k : s) {
    mapc_vec p{a.x + k * (b.x - a.x), a.y + k * (b.y - a.y) - 0.5, a.z + k * (b.z - a.z)};
    if (clear(tree, p, p)) return true;
  }
  return false;
}

bool mapc_nav_walkable(const mapc_tree& tree, const mapc_vec& a, const mapc_vec& b) {
  // A step of up to the climb, or a slope of up to 45 degrees on average
  // whose floor runs straight from one end to the other (a ramp: the line
  // just above the feet stays in the open; over stairs it meets the steps).
  double rise = std::fabs(a.y - b.y), across = std::hypot(a.x - b.x, a.z - b.z);
  if (rise > mapc_nav_climb && (rise > across || !clear(tree, up(a, 0, 0.05, 0), up(b, 0, 0.05, 0))))
    return false;
  if (!clear(tree, up(a, 0, 1.5, 0), up(b, 0, 1.5, 0))) return false;
  if (!clear(tree, up(a, 0, 0.6, 0), up(b, 0, 0.6, 0))) return false;
  if (mapc_floor_gap(tree, a, b)) return false;
  // Where the floor changes height the seven points may miss the edge of a
  // ramp or a step that the straight way runs off: floor under every half unit.
  if (a.y == b.y) return true;
  int steps = static_cast<int>(std::ceil(std::hypot(across, rise) / 0.5));
  for (int i = 1; i < steps; ++i) {
    double k = static_cast<double>(i) / steps;
    mapc_vec p{a.x + k * (b.x - a.x), a.y + k * (b.y - a.y) - 0.5, a.z + k * (b.z - a.z)};
    if (clear(tree, p, p)) return false;
  }
  return true;
}

mapc_floor_spots mapc_find_spots(const mapc_tree& tree, const std::vector<mapc_face>& surface) {
  mapc_floor_spots out;
  std::map<std::pair<long, long>, std::vector<int>> cells;
  for (const mapc_face& f : surface) {
    if (f.plane.n[1] < mapc_floor_min_up) continue;
    double lo[2] = {f.w[0].x, f.w[0].z}, hi[2] = {lo[0], lo[1]};
    for (const mapc_vec& v : f.w) {
      lo[0] = std::min(lo[0], v.x), hi[0] = std::max(hi[0], v.x);
      lo[1] = std::min(lo[1], v.z), hi[1] = std::max(hi[1], v.z);
    }
    for (long ix = cell_of(lo[0]); ix < hi[0]; ++ix)
      for (long iz = cell_of(lo[1]); iz < hi[1]; ++iz)
        for (const auto& o : cell_offsets()) {
          double x = ix + o.first, z = iz + o.second;
          if (!over_floor(f.w, x, z)) continue;
          mapc_vec p{x, floor_height(f.plane, x, z), z};
          std::vector<int>& here = cells[{ix, iz}];
          bool taken = false;
          for (int s : here) taken = taken || std::fabs(out.pos[s].y - p.y) < 0.01;
          if (taken) break;
          if (!has_room(tree, p, f.plane)) continue;
          here.push_back(static_cast<int>(out.pos.size()));
          out.pos.push_back(p);
          break;
        }
  }
  out.near.resize(out.pos.size());
  for (size_t s = 0; s < out.pos.size(); ++s) {
    long ix = cell_of(out.pos[s].x), iz = cell_of(out.pos[s].z);
    for (long dx = -2; dx <= 2; ++dx)
      for (long dz = -2; dz <= 2; ++dz) {
        auto it = cells.find({ix + dx, iz + dz});
        if (it == cells.end() || (dx == 0 && dz == 0)) continue;
        for (int n : it->second) out.near[s].push_back(n);
      }
  }
  return out;
}

std::vector<mapc_nav_node> mapc_build_nav(const mapc_tree& tree, const mapc_floor_spots& spots) {
  graph_builder g{tree, spots, {}, {}, {}, {}, {}};
  g.walk.resize(spots.pos.size());
  for (size_t s = 0; s < spots.pos.size(); ++s)
    for (int n : spots.near[s])
      if (adjacent_cells(spots.pos[s], spots.pos[n]) && mapc_nav_walkable(tree, spots.pos[s], spots.pos[n]))
        g.walk[s].push_back(n);
  g.owner.assign(spots.pos.size(), -1);
  g.owner_dist.assign(spots.pos.size(), 1e30);
  g.spread(floor_width(g.walk));
  g.repair();
  for (mapc_nav_node& n : g.nodes) std::sort(n.links.begin(), n.links.end());
  return g.nodes;
}

bool mapc_player_reaches(const mapc_tree& tree, const mapc_floor_spots& spots, const mapc_vec& start,
                         const mapc_vec& goal, double radius) {
  int first = -1;
  double best = 2.0;
  for (size_t s = 0; s < spots.pos.size(); ++s) {
    double d = dist(spots.pos[s], start);
    if (d <= best) {
      best = d;
      first = static_cast<int>(s);
    }
  }
  if (first < 0) return false;
  std::vector<char> seen(spots.pos.size(), 0);
  std::deque<int> queue{first};
  seen[first] = 1;
  while (!queue.empty()) {
    int s = queue.front();
    queue.pop_front();
    const mapc_vec& a = spots.pos[s];
    if (dist(a, goal) < radius) return true;
    for (int n : spots.near[s]) {
      const mapc_vec& b = spots.pos[n];
      double rise = b.y - a.y;
      bool adjacent = adjacent_cells(a, b);
      if (seen[n] || rise > (adjacent ? 1.9 : 1.0) + 1e-9) continue;  // a ledge beside, or a gap across
      double top = std::max(a.y, b.y) + 1.1;
      if (!clear(tree, {a.x, top, a.z}, {b.x, top, b.z}) || !clear(tree, up(a, 0, 0.05, 0), {a.x, top, a.z}))
        continue;
      seen[n] = 1;
      queue.push_back(n);
    }
  }
  return false;
}
