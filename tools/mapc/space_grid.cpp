// Compressed grid, solid marking and the flood from outside.
#include "tools/mapc/space_grid.h"

#include <algorithm>
#include <deque>

namespace {

int index_of(const std::vector<double>& c, double v) {
  return static_cast<int>(std::lower_bound(c.begin(), c.end(), v) - c.begin());
}

}  // namespace

mapc_space mapc_space_build(const std::vector<mapc_box>& boxes) {
  mapc_space s;
  for (int k = 0; k < 3; ++k) {
    std::vector<double>& c = s.cuts[k];
    double lo = 0, hi = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      c.push_back(boxes[i].lo[k]);
      c.push_back(boxes[i].hi[k]);
      lo = i ? std::min(lo, boxes[i].lo[k]) : boxes[i].lo[k];
      hi = i ? std::max(hi, boxes[i].hi[k]) : boxes[i].hi[k];
    }
    c.push_back(lo - 1);
    c.push_back(hi + 1);
    std::sort(c.begin(), c.end());
    c.erase(std::unique(c.begin(), c.end()), c.end());
    s.n[k] = static_cast<int>(c.size()) - 1;
  }
  const int nx = s.n[0], ny = s.n[1], nz = s.n[2];
  s.solid.assign(static_cast<size_t>(nx) * ny * nz, 0);
  for (const mapc_box& b : boxes) {
    int x0 = index_of(s.cuts[0], b.lo[0]), x1 = index_of(s.cuts[0], b.hi[0]);
    int y0 = index_of(s.cuts[1], b.lo[1]), y1 = index_of(s.cuts[1], b.hi[1]);
    int z0 = index_of(s.cuts[2], b.lo[2]), z1 = index_of(s.cuts[2], b.hi[2]);
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y)
        for (int z = z0; z < z1; ++z) s.solid[(static_cast<size_t>(x) * ny + y) * nz + z] = 1;
  }
  s.outside.assign(s.solid.size(), 0);
  s.parent.assign(s.solid.size(), -1);
  // The flood starts from every margin cell, so a leak's way out ends just outside the hole.
  std::deque<int> queue;
  for (int x = 0; x < nx; ++x)
    for (int y = 0; y < ny; ++y)
      for (int z = 0; z < nz; ++z) {
        if (x != 0 && y != 0 && z != 0 && x != nx - 1 && y != ny - 1 && z != nz - 1) continue;
        int c = (x * ny + y) * nz + z;
        s.outside[c] = 1;
        queue.push_back(c);
      }
  while (!queue.empty()) {
    int c = queue.front();
    queue.pop_front();
    int z = c % nz, y = (c / nz) % ny, x = c / (nz * ny);
    const int d[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const auto& o : d) {
      int xx = x + o[0], yy = y + o[1], zz = z + o[2];
      if (xx < 0 || yy < 0 || zz < 0 || xx >= nx || yy >= ny || zz >= nz) continue;
      int n = (xx * ny + yy) * nz + zz;
      if (s.solid[n] || s.outside[n]) continue;
      s.outside[n] = 1;
      s.parent[n] = c;
      queue.push_back(n);
    }
  }
  return s;
}

int mapc_space_cell(const mapc_space& s, const mapc_vec& p) {
  const double v[3] = {p.x, p.y, p.z};
  int i[3];
  for (int k = 0; k < 3; ++k) {
    const std::vector<double>& c = s.cuts[k];
    i[k] = static_cast<int>(std::upper_bound(c.begin(), c.end(), v[k]) - c.begin()) - 1;
    if (i[k] < 0 || i[k] >= s.n[k]) return -1;
  }
  return (i[0] * s.n[1] + i[1]) * s.n[2] + i[2];
}

mapc_vec mapc_space_centre(const mapc_space& s, int cell) {
  int z = cell % s.n[2], y = (cell / s.n[2]) % s.n[1], x = cell / (s.n[2] * s.n[1]);
  return {(s.cuts[0][x] + s.cuts[0][x + 1]) / 2, (s.cuts[1][y] + s.cuts[1][y + 1]) / 2,
          (s.cuts[2][z] + s.cuts[2][z + 1]) / 2};
}

std::vector<int> mapc_space_path_out(const mapc_space& s, int cell) {
  std::vector<int> path;
  for (int c = cell; c >= 0 && path.size() <= s.solid.size(); c = s.parent[c]) path.push_back(c);
  return path;
}
