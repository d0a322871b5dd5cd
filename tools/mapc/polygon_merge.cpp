// Subtracting a convex cover from polygons of its plane; merging neighbours.
#include "tools/mapc/polygon_merge.h"

#include <cmath>

namespace {

bool same_point(const mapc_vec& a, const mapc_vec& b) {
  return mapc_length(mapc_sub(a, b)) < mapc_on_epsilon;
}

// The plane through side (a, b) of a polygon in plane p, upright on p, its
// normal pointing away from `inside`.
mapc_plane side_plane(const mapc_vec& a, const mapc_vec& b, const mapc_plane& p, const mapc_vec& inside) {
  mapc_vec pn{p.n[0], p.n[1], p.n[2]};
  mapc_vec n = mapc_cross(mapc_sub(b, a), pn);
  double len = mapc_length(n);
  n = mapc_scale(n, 1.0 / len);
  if (mapc_dot(n, mapc_sub(inside, a)) > 0) n = mapc_scale(n, -1.0);
  const double nn[3] = {n.x, n.y, n.z};
  mapc_plane s = mapc_plane_make(nn, 0);
  s.d = mapc_plane_dist(s, a);  // the plane through a
  return s;
}

// Drops corners that lie on the straight line of their neighbours; false
// when the polygon turns both ways (not convex).
bool tidy_convex(mapc_winding& w, const mapc_plane& p) {
  mapc_vec pn{p.n[0], p.n[1], p.n[2]};
  for (bool dropped = true; dropped && w.size() >= 3;) {
    dropped = false;
    for (size_t i = 0; i < w.size(); ++i) {
      const mapc_vec& a = w[(i + w.size() - 1) % w.size()];
      const mapc_vec& b = w[i];
      const mapc_vec& c = w[(i + 1) % w.size()];
      mapc_vec ab = mapc_sub(b, a), bc = mapc_sub(c, b);
      double turn = mapc_dot(mapc_cross(ab, bc), pn);
      double scale = mapc_length(ab) * mapc_length(bc);
      if (std::fabs(turn) <= 1e-9 * (scale > 0 ? scale : 1) || same_point(a, b)) {
        w.erase(w.begin() + static_cast<long>(i));
        dropped = true;
        break;
      }
    }
  }
  if (w.size() < 3) return false;
  int sign = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const mapc_vec& a = w[(i + w.size() - 1) % w.size()];
    const mapc_vec& b = w[i];
    const mapc_vec& c = w[(i + 1) % w.size()];
    int s = mapc_dot(mapc_cross(mapc_sub(b, a), mapc_sub(c, b)), pn) > 0 ? 1 : -1;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return true;
}

// One polygon of a and b when they share a side and their union is convex.
bool try_merge(const mapc_winding& a, const mapc_winding& b, const mapc_plane& p, mapc_winding& out) {
  const size_t na = a.size(), nb = b.size();
  for (size_t i = 0; i < na; ++i)
    for (size_t j = 0; j < nb; ++j) {
      if (!same_point(a[i], b[(j + 1) % nb]) || !same_point(a[(i + 1) % na], b[j])) continue;
      mapc_winding m;
      for (size_t k = 0; k < na; ++k) m.push_back(a[(i + 1 + k) % na]);
      for (size_t k = 2; k < nb; ++k) m.push_back(b[(j + k) % nb]);
      if (!tidy_convex(m, p)) return false;
      out = m;
      return true;
    }
  return false;
}

}  // namespace

std::vector<mapc_winding> mapc_polygons_subtract(const std::vector<mapc_winding>& pieces,
                                                 const mapc_winding& cover, const mapc_plane& p) {
  std::vector<mapc_winding> out;
  mapc_vec inside = mapc_winding_centre(cover);
  for (const mapc_winding& piece : pieces) {
    mapc_winding rest = piece;
    for (size_t i = 0; i < cover.size() && !rest.empty(); ++i) {
      const mapc_vec& a = cover[i];
      const mapc_vec& b = cover[(i + 1) % cover.size()];
      if (same_point(a, b)) continue;
      mapc_plane s = side_plane(a, b, p, inside);
      mapc_winding front, back;
      mapc_winding_split(rest, s, front, back);
      if (!mapc_winding_tiny(front)) out.push_back(front);
      rest = mapc_winding_tiny(back) ? mapc_winding{} : back;
    }
  }
  return out;
}

std::vector<mapc_winding> mapc_polygons_merge(std::vector<mapc_winding> pieces, const mapc_plane& p) {
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < pieces.size() && !merged; ++i)
      for (size_t j = i + 1; j < pieces.size() && !merged; ++j) {
        mapc_winding m;
        if (!try_merge(pieces[i], pieces[j], p, m)) continue;
        pieces[i] = m;
        pieces.erase(pieces.begin() + static_cast<long>(j));
        merged = true;
      }
  }
  for (mapc_winding& w : pieces) tidy_convex(w, p);
  return pieces;
}
