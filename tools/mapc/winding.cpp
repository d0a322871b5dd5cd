// Planes and convex polygons: making, classifying and cutting them.
#include "tools/mapc/winding.h"

#include <cmath>

mapc_vec mapc_sub(const mapc_vec& a, const mapc_vec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
mapc_vec mapc_add(const mapc_vec& a, const mapc_vec& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
mapc_vec mapc_scale(const mapc_vec& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double mapc_dot(const mapc_vec& a, const mapc_vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
mapc_vec mapc_cross(const mapc_vec& a, const mapc_vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double mapc_length(const mapc_vec& a) { return std::sqrt(mapc_dot(a, a)); }

namespace {

double coord(const mapc_vec& v, int k) { return k == 0 ? v.x : k == 1 ? v.y : v.z; }
void set_coord(mapc_vec& v, int k, double value) { (k == 0 ? v.x : k == 1 ? v.y : v.z) = value; }

mapc_vec normal_of(const mapc_plane& p) { return {p.n[0], p.n[1], p.n[2]}; }

}  // namespace

mapc_plane mapc_plane_make(const double n[3], double d) {
  mapc_plane p{{n[0], n[1], n[2]}, d, -1};
  double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (len > 0 && std::fabs(len - 1.0) > 1e-15) {
    for (double& c : p.n) c /= len;
    p.d /= len;
  }
  for (int k = 0; k < 3; ++k) {
    int a = (k + 1) % 3, b = (k + 2) % 3;
    if (std::fabs(p.n[a]) < 1e-12 && std::fabs(p.n[b]) < 1e-12) {
      p.n[k] = p.n[k] > 0 ? 1.0 : -1.0;
      p.n[a] = p.n[b] = 0.0;
      p.axis = k;
    }
  }
  return p;
}

mapc_plane mapc_plane_flip(const mapc_plane& p) {
  mapc_plane f{{-p.n[0], -p.n[1], -p.n[2]}, -p.d, p.axis};
  for (double& c : f.n)
    if (c == 0) c = 0.0;  // no -0
  return f;
}

double mapc_plane_dist(const mapc_plane& p, const mapc_vec& q) {
  if (p.axis >= 0) return coord(q, p.axis) * p.n[p.axis] - p.d;
  return p.n[0] * q.x + p.n[1] * q.y + p.n[2] * q.z - p.d;
}

bool mapc_plane_same(const mapc_plane& a, const mapc_plane& b) {
  return std::fabs(a.n[0] - b.n[0]) < 1e-9 && std::fabs(a.n[1] - b.n[1]) < 1e-9 &&
         std::fabs(a.n[2] - b.n[2]) < 1e-9 && std::fabs(a.d - b.d) < mapc_on_epsilon;
}

mapc_winding mapc_base_winding(const mapc_plane& p, double extent) {
  mapc_vec n = normal_of(p);
  mapc_vec up = std::fabs(p.n[1]) > 0.7 ? mapc_vec{0, 0, 1} : mapc_vec{0, 1, 0};
  up = mapc_sub(up, mapc_scale(n, mapc_dot(up, n)));
  up = mapc_scale(up, extent / mapc_length(up));
  mapc_vec right = mapc_cross(up, n);
  mapc_vec o = mapc_scale(n, p.d);
  return {mapc_sub(mapc_sub(o, right), up), mapc_sub(mapc_add(o, right), up),
          mapc_add(mapc_add(o, right), up), mapc_add(mapc_sub(o, right), up)};
}

mapc_side mapc_winding_side(const mapc_winding& w, const mapc_plane& p) {
  bool front = false, back = false;
  for (const mapc_vec& v : w) {
    double d = mapc_plane_dist(p, v);
    if (d > mapc_on_epsilon) front = true;
    if (d < -mapc_on_epsilon) back = true;
  }
  if (front && back) return side_cross;
  if (front) return side_front;
  if (back) return side_back;
  return side_on;
}

void mapc_winding_split(const mapc_winding& w, const mapc_plane& p, mapc_winding& front, mapc_winding& back) {
  front.clear();
  back.clear();
  const size_t n = w.size();
  std::vector<double> dist(n);
  std::vector<int> side(n);
  for (size_t i = 0; i < n; ++i) {
    dist[i] = mapc_plane_dist(p, w[i]);
    side[i] = dist[i] > mapc_on_epsilon ? 1 : dist[i] < -mapc_on_epsilon ? -1 : 0;
  }
  for (size_t i = 0; i < n; ++i) {
    const mapc_vec& a = w[i];
    if (side[i] >= 0) front.push_back(a);
    if (side[i] <= 0) back.push_back(a);
    size_t j = (i + 1) % n;
    if (side[i] == 0 || side[j] == 0 || side[i] == side[j]) continue;
    const mapc_vec& b = w[j];
    double t = dist[i] / (dist[i] - dist[j]);
    mapc_vec m{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
    if (p.axis >= 0) set_coord(m, p.axis, p.d * p.n[p.axis]);
    front.push_back(m);
    back.push_back(m);
  }
  if (front.size() < 3) front.clear();
  if (back.size() < 3) back.clear();
}

mapc_winding mapc_winding_clip(const mapc_winding& w, const mapc_plane& p, bool keep_front) {
  mapc_winding f, b;
  mapc_winding_split(w, p, f, b);
  return keep_front ? f : b;
}

double mapc_winding_area(const mapc_winding& w) {
  mapc_vec total{0, 0, 0};
  for (size_t i = 2; i < w.size(); ++i)
    total = mapc_add(total, mapc_cross(mapc_sub(w[i - 1], w[0]), mapc_sub(w[i], w[0])));
  return 0.5 * mapc_length(total);
}

mapc_vec mapc_winding_centre(const mapc_winding& w) {
  mapc_vec c{0, 0, 0};
  for (const mapc_vec& v : w) c = mapc_add(c, v);
  return w.empty() ? c : mapc_scale(c, 1.0 / static_cast<double>(w.size()));
}

bool mapc_winding_tiny(const mapc_winding& w) { return w.size() < 3 || mapc_winding_area(w) < 1e-6; }

bool mapc_winding_plane(const mapc_winding& w, mapc_plane& out) {
  for (size_t i = 1; i + 1 < w.size(); ++i) {
    mapc_vec n = mapc_cross(mapc_sub(w[i], w[0]), mapc_sub(w[i + 1], w[0]));
    double len = mapc_length(n);
    if (len < 1e-9) continue;
    const double nn[3] = {n.x / len, n.y / len, n.z / len};
    out = mapc_plane_make(nn, nn[0] * w[0].x + nn[1] * w[0].y + nn[2] * w[0].z);
    return true;
  }
  return false;
}
