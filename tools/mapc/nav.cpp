// Standing spots, node spreading, link tests, the repair of the graph's connections, player reach.
#include "tools/mapc/nav.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <numeric>

namespace {

bool clear(const mapc_tree& t, const mapc_vec& a, const mapc_vec& b) {
  const double pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
  return mapc_segment_clear(t, pa, pb) != 0;
}

mapc_vec up(const mapc_vec& p, double dx, double dy, double dz) { return {p.x + dx, p.y + dy, p.z + dz}; }

double dist(const mapc_vec& a, const mapc_vec& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// A spot needs room for a body: five upright lines from the floor to 2.0 up.
bool has_room(const mapc_tree& t, const mapc_vec& p) {
  const double o[5][2] = {{0, 0}, {0.3, 0.3}, {-0.3, 0.3}, {0.3, -0.3}, {-0.3, -0.3}};
  for (const auto& d : o)
    if (!clear(t, up(p, d[0], 0.05, d[1]), up(p, d[0], 2.0, d[1]))) return false;
  return true;
}

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

bool horizontal_neighbour(const mapc_vec& a, const mapc_vec& b, double reach) {
  double dx = a.x - b.x, dz = a.z - b.z;
  return dx * dx + dz * dz <= reach * reach + 1e-9 && (dx != 0 || dz != 0);
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
  if (std::fabs(a.y - b.y) > mapc_nav_climb) return false;
  if (!clear(tree, up(a, 0, 1.5, 0), up(b, 0, 1.5, 0))) return false;
  if (!clear(tree, up(a, 0, 0.6, 0), up(b, 0, 0.6, 0))) return false;
  return !mapc_floor_gap(tree, a, b);
}

mapc_floor_spots mapc_find_spots(const mapc_tree& tree, const std::vector<mapc_face>& surface) {
  mapc_floor_spots out;
  std::map<std::pair<long, long>, std::vector<int>> cells;
  for (const mapc_face& f : surface) {
    if (f.axis != 1 || f.dir != 1) continue;
    // A floor's extents: index 0 runs along z, index 1 along x.
    for (long ix = static_cast<long>(std::floor(f.lo[1])); ix < f.hi[1]; ++ix)
      for (long iz = static_cast<long>(std::floor(f.lo[0])); iz < f.hi[0]; ++iz) {
        mapc_vec p{ix + 0.5, f.plane, iz + 0.5};
        if (p.x <= f.lo[1] || p.x >= f.hi[1] || p.z <= f.lo[0] || p.z >= f.hi[0] || !has_room(tree, p)) continue;
        cells[{ix, iz}].push_back(static_cast<int>(out.pos.size()));
        out.pos.push_back(p);
      }
  }
  out.near.resize(out.pos.size());
  for (size_t s = 0; s < out.pos.size(); ++s) {
    long ix = static_cast<long>(std::floor(out.pos[s].x)), iz = static_cast<long>(std::floor(out.pos[s].z));
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
      if (horizontal_neighbour(spots.pos[s], spots.pos[n], 1.5) && mapc_nav_walkable(tree, spots.pos[s], spots.pos[n]))
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
      bool adjacent = horizontal_neighbour(a, b, 1.5);
      if (seen[n] || rise > (adjacent ? 1.9 : 1.0) + 1e-9) continue;  // a ledge beside, or a gap across
      double top = std::max(a.y, b.y) + 1.1;
      if (!clear(tree, {a.x, top, a.z}, {b.x, top, b.z}) || !clear(tree, up(a, 0, 0.05, 0), {a.x, top, a.z})) continue;
      seen[n] = 1;
      queue.push_back(n);
    }
  }
  return false;
}
