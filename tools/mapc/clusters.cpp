// The structural tree and where the level's leaves lie in it.
#include "tools/mapc/clusters.h"

#include "tools/mapc/csg.h"

namespace {

// The clusters a convex cell (given by its corners) overlaps: the corners
// are sent down the tree, to both sides of a plane they lie on both sides
// of (or all on it).
void overlapped(const mapc_tree& t, int n, const std::vector<mapc_vec>& corners, std::vector<int>& out) {
  const mapc_node& node = t.nodes[n];
  if (node.face < 0) {
    if (!node.solid) out.push_back(n);
    return;
  }
  const mapc_plane& p = t.faces[node.face].plane;
  bool front = false, back = false;
  for (const mapc_vec& c : corners) {
    double d = mapc_plane_dist(p, c);
    if (d > mapc_on_epsilon) front = true;
    if (d < -mapc_on_epsilon) back = true;
  }
  if (!front && !back) front = back = true;
  if (front) overlapped(t, node.front, corners, out);
  if (back) overlapped(t, node.back, corners, out);
}

// The corners of a leaf's cell: those of the portals around it.
std::vector<mapc_vec> cell_corners(const mapc_portals& p, int leaf) {
  std::vector<mapc_vec> out;
  for (int id : p.of_leaf[leaf]) out.insert(out.end(), p.portals[id].w.begin(), p.portals[id].w.end());
  return out;
}

}  // namespace

mapc_clusters mapc_make_clusters(const std::vector<mapc_brush>& brushes, const mapc_tree& level,
                                 const mapc_portals& level_portals) {
  mapc_clusters c;
  std::vector<mapc_brush> structural;
  for (const mapc_brush& b : brushes)
    if (!b.detail) structural.push_back(b);
  const bool same = structural.size() == brushes.size();
  if (same) {
    c.tree = level;
    c.portals = level_portals;
  } else {
    c.tree = mapc_bsp_build(mapc_csg_faces(structural));
    c.portals = mapc_make_portals(c.tree);
  }
  c.inside.assign(c.tree.nodes.size(), 0);
  c.of_leaf.assign(level.nodes.size(), {});
  std::vector<int> lost;  // inside leaves no cluster was found for (a cell too thin to place)
  for (size_t n = 0; n < level.nodes.size(); ++n) {
    const mapc_node& node = level.nodes[n];
    if (node.face >= 0 || node.solid || level_portals.reached[n]) continue;
    std::vector<int>& found = c.of_leaf[n];
    if (same)
      found.push_back(static_cast<int>(n));
    else if (!c.tree.nodes.empty())
      overlapped(c.tree, c.tree.root, cell_corners(level_portals, static_cast<int>(n)), found);
    for (int cluster : found) c.inside[cluster] = 1;
    if (found.empty()) lost.push_back(static_cast<int>(n));
  }
  // Such a leaf is put in every cluster: seen from anywhere, seeing everything.
  std::vector<int> all;
  for (size_t n = 0; n < c.inside.size(); ++n)
    if (c.inside[n]) all.push_back(static_cast<int>(n));
  for (int n : lost) c.of_leaf[n] = all;
  return c;
}
