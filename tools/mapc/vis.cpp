// Portal flow with separating planes, and the vis file.
#include "tools/mapc/vis.h"

#include <algorithm>
#include <cstring>

namespace {

// A portal seen one way: from leaf `from` into leaf `to`, its plane facing `to`.
// Leaves as bits, numbered densely among the leaves inside the level.
using leaf_bits = std::vector<uint64_t>;
bool has(const leaf_bits& b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
void set(leaf_bits& b, int i) { b[i >> 6] |= uint64_t{1} << (i & 63); }

struct one_way {
  mapc_winding w;
  mapc_plane plane;
  int from, to;     // dense leaf numbers
  leaf_bits might;  // leaves the flow through it might reach (plane tests only)
  leaf_bits seen;   // leaves it sees, once done
  bool done = false;
};

bool any_in_front(const mapc_winding& w, const mapc_plane& p) {
  for (const mapc_vec& v : w)
    if (mapc_plane_dist(p, v) > mapc_on_epsilon) return true;
  return false;
}

// Keeps the part of `target` on the far side of every plane through an edge
// of `source` and a corner of `pass` that has all of source on one side and
// all of pass on the other (flipped: the near side).
mapc_winding clip_to_separators(const mapc_winding& source, const mapc_winding& pass, mapc_winding target,
                                bool flip) {
  for (size_t i = 0; i < source.size() && !target.empty(); ++i) {
    const mapc_vec& a = source[i];
    const mapc_vec& b = source[(i + 1) % source.size()];
    for (size_t j = 0; j < pass.size() && !target.empty(); ++j) {
      mapc_vec n = mapc_cross(mapc_sub(b, a), mapc_sub(pass[j], a));
      double len = mapc_length(n);
      if (len < 1e-9) continue;
      const double nn[3] = {n.x / len, n.y / len, n.z / len};
      mapc_plane p = mapc_plane_make(nn, 0);
      p.d = nn[0] * pass[j].x + nn[1] * pass[j].y + nn[2] * pass[j].z;
      // Which side of the plane the source lies on.
      int source_side = 0;
      for (size_t k = 0; k < source.size() && source_side == 0; ++k) {
        double d = mapc_plane_dist(p, source[k]);
        if (d < -mapc_on_epsilon) source_side = -1;
        if (d > mapc_on_epsilon) source_side = 1;
      }
      if (source_side == 0) continue;  // the plane holds the source
      if (source_side > 0) p = mapc_plane_flip(p);
      // It separates when all of pass lies in front of it.
      bool behind = false, in_front = false;
      for (size_t k = 0; k < pass.size(); ++k) {
        double d = mapc_plane_dist(p, pass[k]);
        if (d < -mapc_on_epsilon) behind = true;
        if (d > mapc_on_epsilon) in_front = true;
      }
      if (behind || !in_front) continue;
      target = mapc_winding_clip(target, flip ? mapc_plane_flip(p) : p, true);
    }
  }
  return target;
}

// Steps of the flow from one portal before it gives up and keeps what the
// plane tests allow (still every leaf that can be seen, and more): bounds
// the compile where many small leaves make the ways past them too many.
constexpr long flow_step_budget = 1500;

struct flow {
  std::vector<one_way>& ways;
  const std::vector<std::vector<int>>& leaving;  // per leaf: the one-way portals out of it
  one_way* base;
  leaf_bits seen;
  long steps = 0;

  void step(int leaf, const mapc_winding& source, const mapc_winding* pass, const mapc_plane& pass_plane,
            const leaf_bits& might) {
    set(seen, leaf);
    if (++steps > flow_step_budget) return;
    leaf_bits next(might.size());
    for (int id : leaving[leaf]) {
      one_way& q = ways[id];
      if (!has(might, q.to)) continue;
      const leaf_bits& bound = q.done ? q.seen : q.might;
      uint64_t fresh = 0;
      for (size_t i = 0; i < might.size(); ++i) {
        next[i] = might[i] & bound[i];
        fresh |= next[i] & ~seen[i];
      }
      if (!fresh && has(seen, q.to)) continue;             // nothing new down this way
      if (mapc_plane_same(q.plane, pass_plane)) continue;  // no going out through the same plane
      mapc_winding target = mapc_winding_clip(q.w, base->plane, true);
      if (mapc_winding_tiny(target)) continue;
      if (!pass) {
        step(q.to, source, &target, q.plane, next);
        continue;
      }
      target = mapc_winding_clip(target, pass_plane, true);
      if (mapc_winding_tiny(target)) continue;
      mapc_winding src = mapc_winding_clip(source, mapc_plane_flip(q.plane), true);
      if (mapc_winding_tiny(src)) continue;
      target = clip_to_separators(src, *pass, target, false);
      if (mapc_winding_tiny(target)) continue;
      target = clip_to_separators(*pass, src, target, true);
      if (mapc_winding_tiny(target)) continue;
      step(q.to, src, &target, q.plane, next);
    }
  }
};

// Leaves reachable from p's far side through portals in front of p that have
// p behind them: the most the flow through p could reach.
void base_vis(one_way& p, const std::vector<one_way>& ways, const std::vector<std::vector<int>>& leaving,
              size_t words) {
  p.might.assign(words, 0);
  std::vector<int> stack{p.to};
  set(p.might, p.to);
  while (!stack.empty()) {
    int leaf = stack.back();
    stack.pop_back();
    for (int id : leaving[leaf]) {
      const one_way& q = ways[id];
      if (has(p.might, q.to) || !any_in_front(q.w, p.plane) || !any_in_front(p.w, mapc_plane_flip(q.plane)))
        continue;
      set(p.might, q.to);
      stack.push_back(q.to);
    }
  }
}

}  // namespace

mapc_vis mapc_compute_vis(const mapc_tree& tree, const mapc_portals& portals,
                          const std::vector<char>& inside) {
  // Dense numbers for the empty leaves inside the level.
  std::vector<int> dense(tree.nodes.size() + 1, -1), node_of;
  for (size_t n = 0; n < tree.nodes.size() && n < inside.size(); ++n)
    if (tree.nodes[n].face < 0 && !tree.nodes[n].solid && inside[n]) {
      dense[n] = static_cast<int>(node_of.size());
      node_of.push_back(static_cast<int>(n));
    }
  const size_t leaves = node_of.size(), words = (leaves + 63) / 64;
  std::vector<one_way> ways;
  std::vector<std::vector<int>> leaving(leaves);
  std::vector<char> alive(portals.portals.size(), 0);
  for (const std::vector<int>& list : portals.of_leaf)
    for (int id : list) alive[id] = 1;
  for (size_t id = 0; id < portals.portals.size(); ++id) {
    const mapc_portal& p = portals.portals[id];
    int front = dense[p.leaf[0]], back = dense[p.leaf[1]];
    if (front < 0 || back < 0 || !alive[id]) continue;
    mapc_winding reversed(p.w.rbegin(), p.w.rend());
    ways.push_back({p.w, p.plane, back, front, {}, {}, false});
    ways.push_back({reversed, mapc_plane_flip(p.plane), front, back, {}, {}, false});
  }
  for (size_t i = 0; i < ways.size(); ++i) leaving[ways[i].from].push_back(static_cast<int>(i));
  for (one_way& w : ways) base_vis(w, ways, leaving, words);
  // The portals that might see least first: their results then bound the others.
  std::vector<int> order(ways.size()), count(ways.size());
  for (size_t i = 0; i < ways.size(); ++i) {
    order[i] = static_cast<int>(i);
    for (uint64_t w : ways[i].might) count[i] += __builtin_popcountll(w);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return count[a] < count[b]; });
  mapc_vis out;
  for (int id : order) {
    one_way& p = ways[id];
    flow f{ways, leaving, &p, leaf_bits(words, 0)};
    f.step(p.to, p.w, nullptr, p.plane, p.might);
    p.seen = f.steps > flow_step_budget ? p.might : f.seen;
    out.gave_up += f.steps > flow_step_budget ? 1 : 0;
    p.done = true;
  }
  out.portals = static_cast<int>(ways.size());
  out.sees.resize(tree.nodes.size());
  for (size_t leaf = 0; leaf < leaves; ++leaf) {
    leaf_bits all(words, 0);
    set(all, static_cast<int>(leaf));
    for (int id : leaving[leaf])
      for (size_t i = 0; i < words; ++i) all[i] |= ways[id].seen[i];
    std::vector<int>& row = out.sees[node_of[leaf]];
    for (size_t i = 0; i < leaves; ++i)
      if (has(all, static_cast<int>(i))) row.push_back(node_of[i]);
  }
  return out;
}

namespace {

void put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 255);
}

// A bit row: runs of zero bytes as a zero and a count up to 255.
std::string packed_row(const std::vector<uint8_t>& bits) {
  std::string row;
  for (size_t i = 0; i < bits.size();) {
    if (bits[i]) {
      row += static_cast<char>(bits[i++]);
      continue;
    }
    size_t run = 0;
    while (i < bits.size() && !bits[i] && run < 255) ++i, ++run;
    row += '\0';
    row += static_cast<char>(run);
  }
  return row;
}

}  // namespace

std::string mapc_vis_file(const mapc_vis& vis, const std::vector<std::vector<int>>& clusters_of,
                          const std::vector<int>& leaf_number, int leaf_count, int inner_count) {
  // The clusters numbered densely in node order: those with a set.
  std::vector<int> number(vis.sees.size(), -1), node_of;
  for (size_t n = 0; n < vis.sees.size(); ++n)
    if (!vis.sees[n].empty()) {
      number[n] = static_cast<int>(node_of.size());
      node_of.push_back(static_cast<int>(n));
    }
  std::string out = "TVIS";
  put32(out, mapc_vis_version);
  put32(out, static_cast<uint32_t>(leaf_count));
  put32(out, static_cast<uint32_t>(inner_count));
  put32(out, static_cast<uint32_t>(node_of.size()));
  std::vector<const std::vector<int>*> of_leaf(leaf_count, nullptr);
  for (size_t n = 0; n < clusters_of.size() && n < leaf_number.size(); ++n)
    if (leaf_number[n] >= 0 && leaf_number[n] < leaf_count) of_leaf[leaf_number[n]] = &clusters_of[n];
  for (int leaf = 0; leaf < leaf_count; ++leaf) {
    std::vector<uint32_t> ids;
    if (of_leaf[leaf])
      for (int c : *of_leaf[leaf])
        if (c >= 0 && c < static_cast<int>(number.size()) && number[c] >= 0) ids.push_back(number[c]);
    put32(out, static_cast<uint32_t>(ids.size()));
    for (uint32_t id : ids) put32(out, id);
  }
  const size_t bytes = (node_of.size() + 7) / 8;
  for (int n : node_of) {
    std::vector<uint8_t> bits(bytes, 0);
    for (int seen : vis.sees[n])
      if (number[seen] >= 0) bits[number[seen] / 8] |= static_cast<uint8_t>(1 << (number[seen] % 8));
    std::string row = packed_row(bits);
    put32(out, static_cast<uint32_t>(row.size()));
    out += row;
  }
  return out;
}
