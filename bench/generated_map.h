// A large generated map for the benchmarks: a balanced tree over a square
// region, split alternately across x and z, with solid and empty cells.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace generated_map {

struct lcg {
  uint32_t state = 12345;
  uint32_t next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

inline void append_node(std::string& out, lcg& random, double x0, double x1, double z0, double z1,
                        int depth) {
  char line[256];
  if (depth == 0) {
    // About one cell in four is solid.
    snprintf(line, sizeof line, "NODE 1 %d END\n", random.next() % 4 == 0 ? 1 : 0);
    out += line;
    return;
  }
  bool split_x = depth % 2 == 0;
  double mid = split_x ? (x0 + x1) / 2 : (z0 + z1) / 2;
  out += "NODE 0 0\nCONT\n";
  snprintf(line, sizeof line, "%d\n%s\nVERT 4\n", static_cast<int>(random.next() % 3),
           split_x ? "1 0 0" : "0 0 1");
  out += line;
  for (int corner = 0; corner < 4; ++corner) {
    double along = corner < 2 ? (split_x ? z0 : x0) : (split_x ? z1 : x1);
    double y = corner == 1 || corner == 2 ? 8.0 : 0.0;
    double x = split_x ? mid : along;
    double z = split_x ? along : mid;
    snprintf(line, sizeof line, "%g %g %g %g %g\n", x, y, z, corner < 2 ? 0.0 : 1.0, y / 8.0);
    out += line;
  }
  out += "INDS 6 0 1 2 0 2 3\nLIGHT 4 4\n";
  for (int i = 0; i < 16; ++i) {
    snprintf(line, sizeof line, "%u%c", random.next() % 256, i % 4 == 3 ? '\n' : ' ');
    out += line;
  }
  out += "FRONT\n";
  if (split_x)
    append_node(out, random, mid, x1, z0, z1, depth - 1);
  else
    append_node(out, random, x0, x1, mid, z1, depth - 1);
  out += "BACK\n";
  if (split_x)
    append_node(out, random, x0, mid, z0, z1, depth - 1);
  else
    append_node(out, random, x0, x1, z0, mid, depth - 1);
  out += "RET\n";
}

// The whole file: 64 navigation nodes, 64 entities, two textures, then a
// tree of 2^depth leaves over [0, size] x [0, size].
inline std::string text(int depth, double size) {
  std::string out;
  char line[128];
  for (int i = 0; i < 64; ++i) {
    snprintf(line, sizeof line, "AINODE: %d %g 1 %g 2 %d %d\n", i, (i % 8) * size / 8, (i / 8) * size / 8,
             (i + 1) % 64, (i + 63) % 64);
    out += line;
  }
  out += "EONL\n";
  for (int i = 0; i < 64; ++i) {
    snprintf(line, sizeof line, "ENT: %d %g 0 %g\n", i == 0 ? 1 : 200 + i % 14, (i % 8) * size / 8 + 1,
             (i / 8) * size / 8 + 1);
    out += line;
  }
  out += "EOEL\nTEXTURE: 1 wall.webp\nTEXTURE: 2 floor.webp\nEOTC\n";
  lcg random;
  append_node(out, random, 0, size, 0, size, depth);
  return out;
}

}  // namespace generated_map
