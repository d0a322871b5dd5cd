// The grid level reader: legend, rows, and boxes merged from runs of equal cells.
#include "tools/mapc/grid_parser.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "tools/mapc/entity_classes.h"
#include "tools/mapc/source_limits.h"

namespace {

struct cell_kind {
  double floor, ceiling;
  std::string floor_tex, ceiling_tex, wall_tex;
};

struct cell_key {
  std::string kind;
  std::string classname;
  std::map<std::string, double> keys;
  int line;
};

struct grid_level {
  double cell = 2.0;
  std::map<std::string, cell_kind> kinds;
  std::map<char, std::string> solids;
  std::string first_solid;
  std::map<char, cell_key> keys;
  std::string detail;  // characters whose cells are detail between the lowest floor and the highest ceiling
  std::vector<std::string> rows;
  int first_row_line = 0;
};

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) {
    if (w.compare(0, 2, "//") == 0) break;
    out.push_back(w);
  }
  return out;
}

// Whether the texture names of a solid or kind command can be written into
// a map file; the first that cannot is an error on the command's line.
bool texture_names_ok(const std::vector<std::string>& w, size_t first, int line, const std::string& file,
                      mapc_log& log) {
  for (size_t i = first; i < w.size(); ++i) {
    std::string problem = mapc_texture_name_problem(w[i]);
    if (problem.empty()) continue;
    mapc_error(log, "%s:%d: %s %s: %s", file.c_str(), line, w[0].c_str(), w[1].c_str(), problem.c_str());
    return false;
  }
  return true;
}

bool parse_command(const std::vector<std::string>& w, int line, const std::string& file, grid_level& g,
                   mapc_source& out, mapc_log& log) {
  const std::string& c = w[0];
  if ((c == "solid" && w.size() == 3 && !texture_names_ok(w, 2, line, file, log)) ||
      (c == "kind" && w.size() == 7 && !texture_names_ok(w, 4, line, file, log)))
    return false;
  if ((c == "solid" || c == "key") && w.size() >= 3 && w[1].size() == 1 &&
      (g.solids.count(w[1][0]) || g.keys.count(w[1][0]))) {
    // A character named twice would silently follow only one of its meanings.
    mapc_error(log, "%s:%d: %s '%c': the character is already a %s", file.c_str(), line, c.c_str(), w[1][0],
               g.keys.count(w[1][0]) ? "key" : "solid");
    return false;
  }
  if (c == "cell" && w.size() == 2 && atof(w[1].c_str()) > 0) {
    g.cell = atof(w[1].c_str());
  } else if (c == "minlight" && w.size() == 2) {
    out.minlight = atof(w[1].c_str());
  } else if (c == "solid" && w.size() == 3 && w[1].size() == 1) {
    g.solids[w[1][0]] = w[2];
    if (g.first_solid.empty()) g.first_solid = w[2];
  } else if (c == "kind" && w.size() == 7) {
    cell_kind k{atof(w[2].c_str()), atof(w[3].c_str()), w[4], w[5], w[6]};
    if (k.ceiling <= k.floor) {
      mapc_error(log, "%s:%d: kind %s: the ceiling must be above the floor", file.c_str(), line,
                 w[1].c_str());
      return false;
    }
    g.kinds[w[1]] = k;
  } else if (c == "key" && w.size() >= 3 && w[1].size() == 1) {
    cell_key k{w[2], w.size() > 3 ? w[3] : "", {}, line};
    if (!g.kinds.count(k.kind)) {
      mapc_error(log, "%s:%d: key '%c': no kind named \"%s\"", file.c_str(), line, w[1][0], k.kind.c_str());
      return false;
    }
    if (!k.classname.empty() && mapc_entity_type(k.classname) < 0) {
      mapc_error(log, "%s:%d: key '%c': unknown class \"%s\"", file.c_str(), line, w[1][0],
                 k.classname.c_str());
      return false;
    }
    for (size_t i = 4; i + 1 < w.size(); i += 2) k.keys[w[i]] = atof(w[i + 1].c_str());
    g.keys[w[1][0]] = k;
  } else if (c == "detail" && w.size() == 2 && w[1].size() == 1) {
    g.detail += w[1];
  } else {
    mapc_error(log, "%s:%d: cannot read the command \"%s\"", file.c_str(), line, c.c_str());
    return false;
  }
  return true;
}

bool read_text(const std::string& text, const std::string& file, grid_level& g, mapc_source& out,
               mapc_log& log) {
  std::istringstream in(text);
  std::string line;
  int n = 0;
  bool in_grid = false, ok = true, had_grid = false;
  while (std::getline(in, line)) {
    ++n;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (in_grid) {
      if (words(line).size() == 1 && words(line)[0] == "end") {
        in_grid = false;
        continue;
      }
      if (g.rows.empty()) g.first_row_line = n;
      g.rows.push_back(line);
      continue;
    }
    std::vector<std::string> w = words(line);
    if (w.empty()) continue;
    if (w[0] == "grid" && w.size() == 1) {
      in_grid = had_grid = true;
      continue;
    }
    ok = parse_command(w, n, file, g, out, log) && ok;
  }
  if (ok && (!had_grid || g.rows.empty())) {
    mapc_error(log, "%s: no grid block", file.c_str());
    ok = false;
  }
  if (ok && g.first_solid.empty()) {
    mapc_error(log, "%s: no solid character defined", file.c_str());
    ok = false;
  }
  for (char c : g.detail)
    if (ok && !g.keys.count(c) && !g.solids.count(c)) {
      mapc_error(log, "%s: detail '%c': the character is neither a key nor a solid", file.c_str(), c);
      ok = false;
    }
  return ok;
}

// Cells are padded by one ring of solid. layer values: an index into `sigs`, or -1.
struct layer {
  int w, h;
  std::vector<int> sig;
  int at(int x, int y) const { return sig[y * w + x]; }
};

// Greedy merge: each unused cell grows right, then down while the whole run
// matches, and becomes one rectangle.
template <typename emit_fn>
void merge_rectangles(const layer& l, emit_fn emit) {
  std::vector<char> used(l.sig.size(), 0);
  for (int y = 0; y < l.h; ++y)
    for (int x = 0; x < l.w; ++x) {
      int s = l.at(x, y);
      if (s < 0 || used[y * l.w + x]) continue;
      int x1 = x;
      while (x1 + 1 < l.w && l.at(x1 + 1, y) == s && !used[y * l.w + x1 + 1]) ++x1;
      int y1 = y;
      for (bool grow = true; grow && y1 + 1 < l.h;) {
        for (int xx = x; xx <= x1; ++xx)
          if (l.at(xx, y1 + 1) != s || used[(y1 + 1) * l.w + xx]) grow = false;
        if (grow) ++y1;
      }
      for (int yy = y; yy <= y1; ++yy)
        for (int xx = x; xx <= x1; ++xx) used[yy * l.w + xx] = 1;
      emit(s, x, y, x1, y1);
    }
}

struct box_sig {
  double lo_y, hi_y;
  std::string top, bottom, side;
  bool detail = false;
};

int sig_index(std::vector<box_sig>& sigs, const box_sig& s) {
  for (size_t i = 0; i < sigs.size(); ++i)
    if (sigs[i].lo_y == s.lo_y && sigs[i].hi_y == s.hi_y && sigs[i].top == s.top &&
        sigs[i].bottom == s.bottom && sigs[i].side == s.side && sigs[i].detail == s.detail)
      return static_cast<int>(i);
  sigs.push_back(s);
  return static_cast<int>(sigs.size()) - 1;
}

void place_entity(const grid_level& g, const cell_key& k, int col, int row, mapc_source& out) {
  int line = g.first_row_line + row;  // messages point at the grid row
  const cell_kind& kind = g.kinds.at(k.kind);
  mapc_vec pos{(col + 0.5) * g.cell, kind.floor, (row + 0.5) * g.cell};
  auto key = [&](const char* name, double fallback) {
    auto it = k.keys.find(name);
    return it == k.keys.end() ? fallback : it->second;
  };
  if (k.classname == "light") {
    pos.y = kind.floor + key("height", kind.ceiling - kind.floor - 0.25);
    out.lights.push_back({pos, key("light", 300), key("wait", 1), static_cast<int>(key("delay", 0)), line});
    return;
  }
  pos.y += key("height", 0);
  out.entities.push_back({k.classname, mapc_entity_type(k.classname), pos, line});
}

// The boxes of the padded grid, one layer per kind of box: each cell gives
// at most one box to each layer, and runs of equal boxes merge.
struct grid_layers {
  int w, h;
  double bottom, top;      // the boxes' outer bounds: under the lowest floor, over the highest ceiling
  double lowest, highest;  // the lowest floor and the highest ceiling of any kind
  std::vector<box_sig> sigs;
  layer solid, floor, ceil;  // the structural boxes
  layer low, high;  // detail: a detail cell's boxes above the lowest floor and under the highest ceiling
};

void put(grid_layers& L, layer& l, int at, double lo, double hi, const std::string& top,
         const std::string& bottom, const std::string& side, bool detail) {
  l.sig[at] = sig_index(L.sigs, {lo, hi, top, bottom, side, detail});
}

// A solid cell: one column, or for a detail cell the part between the
// lowest floor and the highest ceiling as detail over two structural ends.
void put_solid(grid_layers& L, int at, const std::string& tex, bool detail) {
  if (!detail) return put(L, L.solid, at, L.bottom, L.top, tex, tex, tex, false);
  put(L, L.floor, at, L.bottom, L.lowest, tex, tex, tex, false);
  put(L, L.low, at, L.lowest, L.highest, tex, tex, tex, true);
  put(L, L.ceil, at, L.highest, L.top, tex, tex, tex, false);
}

// An open cell: the floor under it and the ceiling over it; a detail cell's
// raised floor and lowered ceiling are detail over structural slabs.
void put_open(grid_layers& L, int at, const cell_kind& k, bool detail) {
  double floor_split = detail ? std::min(k.floor, L.lowest) : k.floor;
  double ceil_split = detail ? std::max(k.ceiling, L.highest) : k.ceiling;
  if (floor_split > L.bottom)
    put(L, L.floor, at, L.bottom, floor_split, k.floor_tex, k.wall_tex, k.wall_tex, false);
  if (k.floor > floor_split)
    put(L, L.low, at, floor_split, k.floor, k.floor_tex, k.wall_tex, k.wall_tex, true);
  if (ceil_split < L.top) put(L, L.ceil, at, ceil_split, L.top, k.wall_tex, k.ceiling_tex, k.wall_tex, false);
  if (k.ceiling < ceil_split)
    put(L, L.high, at, k.ceiling, ceil_split, k.wall_tex, k.ceiling_tex, k.wall_tex, true);
}

bool build_boxes(const grid_level& g, const std::string& file, mapc_source& out, mapc_log& log) {
  int h = static_cast<int>(g.rows.size()) + 2, w = 0;
  for (const std::string& r : g.rows) w = std::max(w, static_cast<int>(r.size()));
  w += 2;
  grid_layers L{w, h, 1e9, -1e9, 1e9, -1e9, {}, {w, h, std::vector<int>(w * h, -1)}, {}, {}, {}, {}};
  L.floor = L.ceil = L.low = L.high = L.solid;
  for (const auto& k : g.kinds) {
    L.lowest = std::min(L.lowest, k.second.floor);
    L.highest = std::max(L.highest, k.second.ceiling);
  }
  L.bottom = L.lowest - 1;
  L.top = L.highest + 1;
  bool ok = true;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int row = y - 1, col = x - 1;
      char c = ' ';
      if (row >= 0 && row < h - 2 && col >= 0 && col < static_cast<int>(g.rows[row].size()))
        c = g.rows[row][col];
      const bool detail = c != ' ' && g.detail.find(c) != std::string::npos;
      auto key = g.keys.find(c);
      if (key == g.keys.end()) {
        auto s = g.solids.find(c);
        if (s == g.solids.end() && c != ' ') {
          mapc_error(log, "%s:%d: column %d: '%c' is neither a key nor a solid", file.c_str(),
                     g.first_row_line + row, col + 1, c);
          ok = false;
          continue;
        }
        put_solid(L, y * w + x, s == g.solids.end() ? g.first_solid : s->second, detail);
        continue;
      }
      put_open(L, y * w + x, g.kinds.at(key->second.kind), detail);
      if (!key->second.classname.empty()) place_entity(g, key->second, col, row, out);
    }
  auto emit = [&](int s, int x0, int y0, int x1, int y1) {
    mapc_box b;
    const box_sig& sg = L.sigs[s];
    b.lo[0] = (x0 - 1) * g.cell;
    b.hi[0] = x1 * g.cell;
    b.lo[2] = (y0 - 1) * g.cell;
    b.hi[2] = y1 * g.cell;
    b.lo[1] = sg.lo_y;
    b.hi[1] = sg.hi_y;
    for (int f = 0; f < 6; ++f) b.texture[f] = sg.side;
    b.texture[face_hi_y] = sg.top;
    b.texture[face_lo_y] = sg.bottom;
    b.detail = sg.detail;
    b.entity = 0;
    b.brush = static_cast<int>(out.brushes.size());
    b.line = g.first_row_line + std::max(0, y0 - 1);
    out.brushes.push_back(mapc_box_brush(b));
  };
  for (const layer* l : {&L.solid, &L.floor, &L.ceil, &L.low, &L.high}) merge_rectangles(*l, emit);
  return ok;
}

}  // namespace

bool mapc_parse_grid(const std::string& text, const std::string& file, mapc_source& out, mapc_log& log) {
  grid_level g;
  out.file = file;
  if (!read_text(text, file, g, out, log)) return false;
  return build_boxes(g, file, out, log);
}
