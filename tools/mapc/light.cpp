// Sampling the lights over every face, with shadows traced through the tree.
#include "tools/mapc/light.h"

#include <algorithm>
#include <cmath>

#include "tools/mapc/face_layout.h"
#include "tools/mapc/map_parser.h"

namespace {

// Samples sit this far in front of their face, so the shadow trace starts in empty space.
constexpr double sample_lift = 0.03;

double falloff(const mapc_light& l, double dist_world) {
  double d = dist_world * mapc_map_units_per_world_unit * (l.wait > 0 ? l.wait : 1);
  switch (l.delay) {
    case 1:
      return l.light * 128.0 / std::max(d, 1.0);
    case 2:
      return l.light * 16384.0 / std::max(d * d, 1.0);
    case 3:
      return l.light;
    default:
      return l.light - d;
  }
}

int darkness(double brightness) {
  int b = static_cast<int>(std::lround(brightness));
  return 255 - std::min(255, std::max(0, b));
}

}  // namespace

bool mapc_is_sky_texture(const std::string& texture) { return texture == "sky"; }

double mapc_brightness(const mapc_tree& tree, const std::vector<mapc_light>& lights, double minlight,
                       const double p[3], const double normal[3]) {
  double total = 0;
  for (const mapc_light& l : lights) {
    double to[3] = {l.pos.x - p[0], l.pos.y - p[1], l.pos.z - p[2]};
    double dist = std::sqrt(to[0] * to[0] + to[1] * to[1] + to[2] * to[2]);
    if (dist < 1e-9) continue;
    double cosine = (to[0] * normal[0] + to[1] * normal[1] + to[2] * normal[2]) / dist;
    if (cosine <= 0) continue;
    double add = falloff(l, dist);
    if (add <= 0) continue;
    const double from[3] = {l.pos.x, l.pos.y, l.pos.z};
    if (!mapc_segment_clear(tree, from, p)) continue;
    total += add * (0.5 + 0.5 * cosine);
  }
  return std::max(total, minlight);
}

std::vector<mapc_light_grid> mapc_light_faces(const mapc_tree& tree, const mapc_source& src,
                                              const std::vector<char>& unlit) {
  std::vector<mapc_light_grid> grids(tree.faces.size());
  for (size_t i = 0; i < tree.faces.size(); ++i) {
    const mapc_face& f = tree.faces[i];
    mapc_light_grid& g = grids[i];
    int cols, rows;
    mapc_light_samples(f, &cols, &rows);
    bool sky = mapc_is_sky_texture(f.texture);
    if ((i < unlit.size() && unlit[i]) || sky) cols = rows = 2;
    g.cols = cols + 2;
    g.rows = rows + 2;
    g.values.assign(static_cast<size_t>(g.rows) * g.cols, sky ? 0 : 255);
    if ((i < unlit.size() && unlit[i]) || sky) continue;
    const double* normal = f.plane.n;
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= cols; ++c) {
        double p[3];
        mapc_light_sample_point(f, r, c, p);
        for (int k = 0; k < 3; ++k) p[k] += sample_lift * normal[k];
        g.values[r * g.cols + c] = darkness(mapc_brightness(tree, src.lights, src.minlight, p, normal));
      }
    // The border repeats its inward neighbour (rows first, as the light map does).
    for (int r = 0; r < g.rows; ++r)
      for (int c = 0; c < g.cols; ++c) {
        int rr = std::min(std::max(r, 1), g.rows - 2), cc = std::min(std::max(c, 1), g.cols - 2);
        g.values[r * g.cols + c] = g.values[rr * g.cols + cc];
      }
  }
  return grids;
}
