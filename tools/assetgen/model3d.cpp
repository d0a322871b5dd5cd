// Orthographic ray casting of primitive models with banded light, highlights and outlines.
#include "tools/assetgen/model3d.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double no_hit = 1e30;

// Where a ray meets one primitive: distance along the ray and surface normal.
struct hit {
  double t = no_hit;
  vec3 n{0, 0, 1};
};

double sphere_t(vec3 ro, vec3 rd, vec3 c, double r) {
  vec3 oc = ro - c;
  double b = dot(rd, oc), cc = dot(oc, oc) - r * r, h = b * b - cc;
  if (h < 0) return no_hit;
  double t = -b - std::sqrt(h);
  return t > 0 ? t : no_hit;
}

hit capsule_hit(vec3 ro, vec3 rd, const primitive& p) {
  hit out;
  vec3 ba = p.b - p.a, oa = ro - p.a;
  double baba = dot(ba, ba), bard = dot(ba, rd), baoa = dot(ba, oa);
  double t = no_hit;
  double a = baba - bard * bard;
  if (baba > 1e-12 && a > 1e-9) {
    double b = baba * dot(rd, oa) - baoa * bard;
    double c = baba * dot(oa, oa) - baoa * baoa - p.r * p.r * baba;
    double h = b * b - a * c;
    if (h < 0) return out;
    double tb = (-b - std::sqrt(h)) / a;
    double y = baoa + tb * bard;
    if (y > 0 && y < baba && tb > 0) t = tb;
  }
  if (t == no_hit) t = std::min(sphere_t(ro, rd, p.a, p.r), sphere_t(ro, rd, p.b, p.r));
  if (t == no_hit) return out;
  vec3 pos = ro + rd * t, pa = pos - p.a;
  double k = baba > 1e-12 ? std::min(1.0, std::max(0.0, dot(pa, ba) / baba)) : 0.0;
  out.t = t;
  out.n = normalize(pa - ba * k);
  return out;
}

// Ray in the primitive's own frame, where the ellipsoid is the unit sphere and the box the unit cube.
void to_local(vec3 ro, vec3 rd, const primitive& p, double lo[3], double ld[3]) {
  for (int i = 0; i < 3; ++i) {
    double inv = 1.0 / std::max(1e-12, dot(p.axes[i], p.axes[i]));
    lo[i] = dot(ro - p.a, p.axes[i]) * inv;
    ld[i] = dot(rd, p.axes[i]) * inv;
  }
}

hit ellipsoid_hit(vec3 ro, vec3 rd, const primitive& p) {
  hit out;
  double lo[3], ld[3];
  to_local(ro, rd, p, lo, ld);
  double a = ld[0] * ld[0] + ld[1] * ld[1] + ld[2] * ld[2];
  double b = lo[0] * ld[0] + lo[1] * ld[1] + lo[2] * ld[2];
  double c = lo[0] * lo[0] + lo[1] * lo[1] + lo[2] * lo[2] - 1.0;
  double h = b * b - a * c;
  if (h < 0 || a <= 0) return out;
  double t = (-b - std::sqrt(h)) / a;
  if (t <= 0) return out;
  vec3 n{0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    double li = lo[i] + t * ld[i];
    n = n + p.axes[i] * (li / std::max(1e-12, dot(p.axes[i], p.axes[i])));
  }
  out.t = t;
  out.n = normalize(n);
  return out;
}

hit box_hit(vec3 ro, vec3 rd, const primitive& p) {
  hit out;
  double lo[3], ld[3];
  to_local(ro, rd, p, lo, ld);
  double t_in = -no_hit, t_out = no_hit;
  int axis = 0;
  double sign = 1;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(ld[i]) < 1e-12) {
      if (lo[i] < -1 || lo[i] > 1) return out;
      continue;
    }
    double t0 = (-1 - lo[i]) / ld[i], t1 = (1 - lo[i]) / ld[i];
    double s = -1;
    if (t0 > t1) {
      std::swap(t0, t1);
      s = 1;
    }
    if (t0 > t_in) {
      t_in = t0;
      axis = i;
      sign = s;
    }
    t_out = std::min(t_out, t1);
  }
  if (t_in > t_out || t_in <= 0) return out;
  out.t = t_in;
  out.n = normalize(p.axes[axis] * sign);
  return out;
}

hit primitive_hit(vec3 ro, vec3 rd, const primitive& p) {
  switch (p.kind) {
    case prim_kind::capsule:
      return capsule_hit(ro, rd, p);
    case prim_kind::ellipsoid:
      return ellipsoid_hit(ro, rd, p);
    case prim_kind::box:
      return box_hit(ro, rd, p);
  }
  return hit{};
}

void bounds(const primitive& p, vec3& c, double& r) {
  if (p.kind == prim_kind::capsule) {
    c = (p.a + p.b) * 0.5;
    r = length(p.b - p.a) * 0.5 + p.r;
    return;
  }
  c = p.a;
  double l0 = length(p.axes[0]), l1 = length(p.axes[1]), l2 = length(p.axes[2]);
  r = p.kind == prim_kind::box ? std::sqrt(l0 * l0 + l1 * l1 + l2 * l2) : std::max(l0, std::max(l1, l2));
}

vec3 rotate_about(vec3 v, vec3 pivot, double angle, bool about_x) {
  vec3 d = v - pivot;
  return pivot + (about_x ? rotate_x(d, angle) : rotate_z(d, angle));
}

void rotate_model(model& m, vec3 pivot, double angle, bool about_x) {
  for (primitive& p : m.parts) {
    p.a = rotate_about(p.a, pivot, angle, about_x);
    p.b = rotate_about(p.b, pivot, angle, about_x);
    for (vec3& ax : p.axes) ax = about_x ? rotate_x(ax, angle) : rotate_z(ax, angle);
  }
}

}  // namespace

void add_capsule(model& m, vec3 a, vec3 b, double r, material mat) {
  primitive p{prim_kind::capsule, a, b, r, {}, mat};
  m.parts.push_back(p);
}

void add_ellipsoid(model& m, vec3 c, vec3 radii, material mat) {
  add_oriented(m, prim_kind::ellipsoid, c, {radii.x, 0, 0}, {0, radii.y, 0}, {0, 0, radii.z}, mat);
}

void add_box(model& m, vec3 c, vec3 half, material mat) {
  add_oriented(m, prim_kind::box, c, {half.x, 0, 0}, {0, half.y, 0}, {0, 0, half.z}, mat);
}

void add_oriented(model& m, prim_kind kind, vec3 c, vec3 ax, vec3 ay, vec3 az, material mat) {
  primitive p{kind, c, c, 0.0, {ax, ay, az}, mat};
  m.parts.push_back(p);
}

void translate_model(model& m, vec3 offset) {
  for (primitive& p : m.parts) {
    p.a = p.a + offset;
    p.b = p.b + offset;
  }
}

void rotate_model_x(model& m, vec3 pivot, double angle) { rotate_model(m, pivot, angle, true); }
void rotate_model_z(model& m, vec3 pivot, double angle) { rotate_model(m, pivot, angle, false); }

void scale_model(model& m, vec3 k) {
  for (primitive& p : m.parts) {
    p.a = vec3{p.a.x * k.x, p.a.y * k.y, p.a.z * k.z};
    p.b = vec3{p.b.x * k.x, p.b.y * k.y, p.b.z * k.z};
    p.r *= (k.x + k.y) * 0.5;
    for (vec3& ax : p.axes) ax = vec3{ax.x * k.x, ax.y * k.y, ax.z * k.z};
  }
}

double model_floor(const model& m) {
  double lowest = 1e30;
  for (const primitive& p : m.parts) {
    if (p.kind == prim_kind::capsule) {
      lowest = std::min(lowest, std::min(p.a.y, p.b.y) - p.r);
    } else {
      double ext = std::fabs(p.axes[0].y) + std::fabs(p.axes[1].y) + std::fabs(p.axes[2].y);
      if (p.kind == prim_kind::ellipsoid)
        ext = std::sqrt(p.axes[0].y * p.axes[0].y + p.axes[1].y * p.axes[1].y + p.axes[2].y * p.axes[2].y);
      lowest = std::min(lowest, p.a.y - ext);
    }
  }
  return lowest;
}

namespace {

// The camera frame of a view and the per-pixel results of casting rays through it.
struct view_frame {
  vec3 toward, dir, right, up, light, half_vec;
};

struct hit_buffer {
  int w, h;
  std::vector<double> depth;
  std::vector<vec3> normal;
  std::vector<int> owner;  // part index, -1 for empty
};

view_frame make_frame(const ortho_view& view) {
  view_frame f;
  double ce = std::cos(view.elevation), se = std::sin(view.elevation);
  f.toward = vec3{std::sin(view.azimuth) * ce, se, std::cos(view.azimuth) * ce};
  f.dir = f.toward * -1.0;
  f.right = vec3{std::cos(view.azimuth), 0, -std::sin(view.azimuth)};
  f.up = cross(f.right, f.dir);
  f.light = normalize(f.right * view.light.x + f.up * view.light.y + f.toward * view.light.z);
  f.half_vec = normalize(f.light + f.toward);
  return f;
}

// Casts one ray per pixel inside each part's projected bounds and keeps the nearest hit.
void cast_rays(const model& m, const ortho_view& view, const view_frame& f, hit_buffer& hb) {
  for (size_t i = 0; i < m.parts.size(); ++i) {
    const primitive& p = m.parts[i];
    vec3 c;
    double r;
    bounds(p, c, r);
    double cx = view.focus_x + dot(c - view.focus, f.right) * view.scale;
    double cy = view.focus_y - dot(c - view.focus, f.up) * view.scale;
    double rp = r * view.scale + 1;
    int x0 = std::max(0, (int)(cx - rp)), x1 = std::min(hb.w - 1, (int)(cx + rp));
    int y0 = std::max(0, (int)(cy - rp)), y1 = std::min(hb.h - 1, (int)(cy + rp));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        vec3 ro = view.focus + f.right * ((x + 0.5 - view.focus_x) / view.scale) +
                  f.up * ((view.focus_y - (y + 0.5)) / view.scale) - f.dir * 100.0;
        hit hh = primitive_hit(ro, f.dir, p);
        size_t k = (size_t)y * hb.w + x;
        if (hh.t < hb.depth[k]) {
          hb.depth[k] = hh.t;
          hb.normal[k] = hh.n;
          hb.owner[k] = (int)i;
        }
      }
  }
}

// Banded diffuse light, a rim falloff and stepped highlights; emissive parts stay unlit.
color shade_pixel(const material& mat, vec3 n, const ortho_view& view, const view_frame& f) {
  if (mat.emissive) return mat.base;
  float diff = (float)std::max(0.0, dot(n, f.light));
  float lit = view.ambient + (1.0f - view.ambient) * diff;
  float facing = (float)std::max(0.0, dot(n, f.toward));
  lit *= 0.82f + 0.18f * facing;
  if (view.bands > 0) lit = std::floor(lit * view.bands + 0.5f) / view.bands;
  color c = scale_rgb(mat.base, std::max(0.15f, lit));
  if (mat.shine > 0) {
    float spec = (float)std::pow(std::max(0.0, dot(n, f.half_vec)), 18.0) * mat.shine;
    if (view.bands > 0) spec = spec > 0.45f ? 0.55f : (spec > 0.2f ? 0.22f : 0.0f);
    c = mix(c, color{1, 1, 1, 1}, std::min(1.0f, spec));
  }
  return c;
}

// Dark silhouette pixels around the model and darkened creases where a part lies clearly behind
// its neighbour.
void draw_outlines(const model& m, const hit_buffer& hb, image& layer) {
  image src = layer;
  const int w = hb.w, h = hb.h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t k = (size_t)y * w + x;
      const int nx[4] = {x - 1, x + 1, x, x};
      const int ny[4] = {y, y, y - 1, y + 1};
      for (int j = 0; j < 4; ++j) {
        if (nx[j] < 0 || ny[j] < 0 || nx[j] >= w || ny[j] >= h) continue;
        size_t q = (size_t)ny[j] * w + nx[j];
        if (hb.owner[q] < 0) continue;
        if (hb.owner[k] < 0) {
          pixel_set(layer, x, y, with_alpha(scale_rgb(m.parts[hb.owner[q]].mat.base, 0.18f), 1.0f));
          break;
        }
        if (hb.owner[q] != hb.owner[k] && hb.depth[k] - hb.depth[q] > 0.12 &&
            !m.parts[hb.owner[k]].mat.emissive) {
          pixel_set(layer, x, y, scale_rgb(pixel_get(src, x, y), 0.45f));
          break;
        }
      }
    }
}

}  // namespace

void render_model(const model& m, const ortho_view& view, image& img) {
  view_frame f = make_frame(view);
  hit_buffer hb{img.width, img.height, std::vector<double>((size_t)img.width * img.height, no_hit),
                std::vector<vec3>((size_t)img.width * img.height),
                std::vector<int>((size_t)img.width * img.height, -1)};
  cast_rays(m, view, f, hb);
  image layer = image_make(hb.w, hb.h, clear_color());
  for (int y = 0; y < hb.h; ++y)
    for (int x = 0; x < hb.w; ++x) {
      size_t k = (size_t)y * hb.w + x;
      if (hb.owner[k] >= 0)
        pixel_set(layer, x, y, shade_pixel(m.parts[hb.owner[k]].mat, hb.normal[k], view, f));
    }
  if (view.outline) draw_outlines(m, hb, layer);
  for (int y = 0; y < hb.h; ++y)
    for (int x = 0; x < hb.w; ++x) pixel_blend(img, x, y, pixel_get(layer, x, y));
}
