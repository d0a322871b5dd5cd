// The .map reader: tokens, entities with their keys, brushes turned into boxes.
#include "tools/mapc/map_parser.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include "tools/mapc/entity_classes.h"
#include "tools/mapc/source_limits.h"
#include "tools/mapc/texture_axes.h"
#include "tools/mapc/winding.h"

namespace {

struct token {
  std::string text;
  int line;
  bool quoted;
};

// Splits the file into tokens: punctuation ( ) [ ] { }, quoted strings, words;
// "//" comments run to the end of the line.
std::vector<token> tokenize(const std::string& s) {
  std::vector<token> out;
  int line = 1;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      while (i < s.size() && s[i] != '\n') ++i;
    } else if (c == '"') {
      size_t j = i + 1;
      while (j < s.size() && s[j] != '"' && s[j] != '\n') ++j;
      out.push_back({s.substr(i + 1, j - i - 1), line, true});
      i = j < s.size() && s[j] == '"' ? j + 1 : j;
    } else if (c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}') {
      out.push_back({std::string(1, c), line, false});
      ++i;
    } else {
      size_t j = i;
      while (j < s.size() && !isspace(static_cast<unsigned char>(s[j])) && s[j] != '(' && s[j] != ')' &&
             s[j] != '{' && s[j] != '}' && s[j] != '"' && s[j] != '[' && s[j] != ']')
        ++j;
      out.push_back({s.substr(i, j - i), line, false});
      i = j;
    }
  }
  return out;
}

struct parser {
  const std::vector<token>& toks;
  size_t pos;
  const std::string& file;
  mapc_log& log;
  int entity_index;
  int brush_index;

  bool at_end() const { return pos >= toks.size(); }
  const token& peek() const { return toks[pos]; }
  int line() const { return at_end() ? (toks.empty() ? 1 : toks.back().line) : peek().line; }
  bool is(const char* t) const { return !at_end() && !peek().quoted && peek().text == t; }
};

bool is_number(const std::string& t) {
  if (t.empty()) return false;
  char* end = nullptr;
  strtod(t.c_str(), &end);
  return end && *end == '\0';
}

struct face {
  double p[3][3];
  std::string texture;
  int line;
  std::vector<double> numbers;  // what follows the texture name, brackets left out
  bool valve;                   // the numbers began with "[": Valve 220 axes
};

bool expect(parser& ps, const char* t, const char* what) {
  if (ps.is(t)) {
    ++ps.pos;
    return true;
  }
  mapc_error(ps.log, "%s:%d: entity %d, brush %d: expected \"%s\" %s, found \"%s\"", ps.file.c_str(),
             ps.line(), ps.entity_index, ps.brush_index, t, what,
             ps.at_end() ? "end of file" : ps.peek().text.c_str());
  return false;
}

bool read_point(parser& ps, double p[3]) {
  if (!expect(ps, "(", "opening a face point")) return false;
  for (int k = 0; k < 3; ++k) {
    if (ps.at_end() || !is_number(ps.peek().text)) {
      mapc_error(ps.log, "%s:%d: entity %d, brush %d: a face point needs three numbers", ps.file.c_str(),
                 ps.line(), ps.entity_index, ps.brush_index);
      return false;
    }
    p[k] = atof(ps.peek().text.c_str());
    ++ps.pos;
  }
  return expect(ps, ")", "closing a face point");
}

// Texture names may carry a folder ("world/metal_wall"); the level keeps the base name.
std::string base_texture_name(const std::string& t) {
  size_t slash = t.find_last_of("/\\");
  return slash == std::string::npos ? t : t.substr(slash + 1);
}

// One face line: three points, the texture, then either the standard
// offsets, rotation and scales or Valve 220's two texture axes with their
// offsets, the rotation and the scales.
bool read_face(parser& ps, face& f) {
  f.line = ps.line();
  for (int k = 0; k < 3; ++k)
    if (!read_point(ps, f.p[k])) return false;
  if (ps.at_end() || ps.is("(") || ps.is("}")) {
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: a face has no texture name", ps.file.c_str(), ps.line(),
               ps.entity_index, ps.brush_index);
    return false;
  }
  f.texture = base_texture_name(ps.peek().text);
  std::string problem = mapc_texture_name_problem(f.texture);
  if (!problem.empty()) {
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: %s", ps.file.c_str(), ps.line(), ps.entity_index,
               ps.brush_index, problem.c_str());
    return false;
  }
  ++ps.pos;
  f.valve = ps.is("[");
  while (!ps.at_end() && !ps.is("(") && !ps.is("}")) {
    const std::string& t = ps.peek().text;
    if (!ps.peek().quoted && (t == "[" || t == "]" || is_number(t))) {
      if (t != "[" && t != "]") f.numbers.push_back(atof(t.c_str()));
      ++ps.pos;
      continue;
    }
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: unexpected \"%s\" in a face", ps.file.c_str(), ps.line(),
               ps.entity_index, ps.brush_index, t.c_str());
    return false;
  }
  return true;
}

// The face's plane in world units, its normal out of the brush: the three
// points run clockwise seen from outside, as Quake editors write them.
bool face_plane(const face& f, mapc_brush_face& out) {
  mapc_vec p[3];
  for (int k = 0; k < 3; ++k) p[k] = mapc_map_to_world(f.p[k][0], f.p[k][1], f.p[k][2]);
  mapc_vec n = mapc_cross(mapc_sub(p[0], p[1]), mapc_sub(p[2], p[1]));
  double len = mapc_length(n);
  if (!(len > 1e-12)) return false;
  const double nn[3] = {n.x / len, n.y / len, n.z / len};
  mapc_plane plane = mapc_plane_make(nn, 0);
  plane.d = mapc_plane_dist(plane, p[0]);
  for (int k = 0; k < 3; ++k) out.n[k] = plane.n[k];
  out.d = plane.d;
  return true;
}

// Turns the faces into a brush; a brush of six faces two by two along the
// axes is kept as a box as well.
bool faces_to_brush(parser& ps, const std::vector<face>& faces, int line, mapc_brush& b) {
  b = mapc_brush{};
  b.entity = ps.entity_index;
  b.brush = ps.brush_index;
  b.line = line;
  for (const face& f : faces) {
    mapc_brush_face bf{{0, 0, 0}, 0, f.texture, {{0, 0, 0, 0}, {0, 0, 0, 0}}, true};
    if (!face_plane(f, bf)) {
      mapc_error(ps.log, "%s:%d: entity %d, brush %d: the face's three points lie on one line",
                 ps.file.c_str(), f.line, ps.entity_index, ps.brush_index);
      return false;
    }
    mapc_map_texture_axes(bf, f.numbers, f.valve);
    b.faces.push_back(bf);
  }
  if (b.faces.size() < 4) {
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: a brush needs at least four faces", ps.file.c_str(), line,
               ps.entity_index, ps.brush_index);
    return false;
  }
  b.box = mapc_brush_as_box(b);
  return true;
}

bool read_brush(parser& ps, mapc_source& out) {
  int line = ps.line();
  if (!expect(ps, "{", "opening a brush")) return false;
  std::vector<face> faces;
  if (!ps.at_end() && !ps.is("(") && !ps.is("}")) {
    mapc_error(
        ps.log,
        "%s:%d: entity %d, brush %d: not a plain brush (\"%s\"); patches and brush primitives are not read",
        ps.file.c_str(), line, ps.entity_index, ps.brush_index, ps.peek().text.c_str());
    return false;
  }
  while (ps.is("(")) {
    face f;
    if (!read_face(ps, f)) return false;
    faces.push_back(f);
  }
  if (!expect(ps, "}", "closing a brush")) return false;
  mapc_brush brush;
  if (!faces_to_brush(ps, faces, line, brush)) return true;  // reported; keep reading for more errors
  out.brushes.push_back(brush);
  return true;
}

double key_number(const std::map<std::string, std::string>& keys, const char* key, double fallback) {
  auto it = keys.find(key);
  return it == keys.end() || it->second.empty() ? fallback : atof(it->second.c_str());
}

void keep_entity(parser& ps, const std::map<std::string, std::string>& keys, int line, bool has_brushes,
                 mapc_source& out) {
  auto cls = keys.find("classname");
  std::string classname = cls == keys.end() ? "" : cls->second;
  if (classname == "worldspawn") {
    out.minlight = key_number(keys, "_minlight", key_number(keys, "light", out.minlight));
    return;
  }
  if (has_brushes) return;  // groups and detail brushes are plain solid
  mapc_vec pos{0, 0, 0};
  auto origin = keys.find("origin");
  if (origin != keys.end()) {
    double x = 0, y = 0, z = 0;
    sscanf(origin->second.c_str(), "%lf %lf %lf", &x, &y, &z);
    pos = mapc_map_to_world(x, y, z);
  }
  if (classname == "light") {
    mapc_light l{pos, key_number(keys, "light", key_number(keys, "_light", 300)), key_number(keys, "wait", 1),
                 static_cast<int>(key_number(keys, "delay", 0)), line};
    out.lights.push_back(l);
    return;
  }
  int type = mapc_entity_type(classname);
  if (type <= 0) {
    mapc_error(ps.log, "%s:%d: entity %d: unknown class \"%s\"", ps.file.c_str(), line, ps.entity_index,
               classname.c_str());
    return;
  }
  out.entities.push_back({classname, type, pos, line});
}

bool read_entity(parser& ps, mapc_source& out) {
  int line = ps.line();
  ps.brush_index = 0;
  if (!expect(ps, "{", "opening an entity")) return false;
  std::map<std::string, std::string> keys;
  bool has_brushes = false;
  const size_t first_brush = out.brushes.size();
  while (!ps.at_end() && !ps.is("}")) {
    if (ps.is("{")) {
      has_brushes = true;
      if (!read_brush(ps, out)) return false;
      ++ps.brush_index;
    } else if (ps.peek().quoted && ps.pos + 1 < ps.toks.size() && ps.toks[ps.pos + 1].quoted) {
      keys[ps.peek().text] = ps.toks[ps.pos + 1].text;
      ps.pos += 2;
    } else {
      mapc_error(ps.log, "%s:%d: entity %d: expected a \"key\" \"value\" pair or a brush, found \"%s\"",
                 ps.file.c_str(), ps.line(), ps.entity_index, ps.peek().text.c_str());
      return false;
    }
  }
  if (!expect(ps, "}", "closing an entity")) return false;
  keep_entity(ps, keys, line, has_brushes, out);
  auto cls = keys.find("classname");
  if (cls != keys.end() && cls->second == "func_detail")
    for (size_t i = first_brush; i < out.brushes.size(); ++i) out.brushes[i].detail = true;
  return true;
}

}  // namespace

mapc_vec mapc_map_to_world(double x, double y, double z) {
  const double s = mapc_map_units_per_world_unit;
  return {x / s, z / s, -y / s};
}

mapc_vec mapc_world_to_map(const mapc_vec& w) {
  const double s = mapc_map_units_per_world_unit;
  return {w.x * s, -w.z * s, w.y * s};
}

bool mapc_parse_map(const std::string& text, const std::string& file, mapc_source& out, mapc_log& log) {
  std::vector<token> toks = tokenize(text);
  parser ps{toks, 0, file, log, 0, 0};
  out.file = file;
  size_t errors_before = log.errors.size();
  while (!ps.at_end()) {
    if (!read_entity(ps, out)) break;
    ++ps.entity_index;
  }
  return log.errors.size() == errors_before;
}
