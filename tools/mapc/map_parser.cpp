// The .map reader: tokens, entities with their keys, brushes turned into boxes.
#include "tools/mapc/map_parser.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include "tools/mapc/entity_classes.h"
#include "tools/mapc/source_limits.h"

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
};

bool expect(parser& ps, const char* t, const char* what) {
  if (ps.is(t)) {
    ++ps.pos;
    return true;
  }
  mapc_error(ps.log, "%s:%d: entity %d, brush %d: expected \"%s\" %s, found \"%s\"", ps.file.c_str(), ps.line(),
             ps.entity_index, ps.brush_index, t, what, ps.at_end() ? "end of file" : ps.peek().text.c_str());
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

// One face line: three points, the texture, then either the standard offsets,
// rotation and scales or Valve 220's two texture axes; both are skipped, since
// the compiler aligns textures to the world.
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
  while (!ps.at_end() && !ps.is("(") && !ps.is("}")) {
    const std::string& t = ps.peek().text;
    if (!ps.peek().quoted && (t == "[" || t == "]" || is_number(t))) {
      ++ps.pos;
      continue;
    }
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: unexpected \"%s\" in a face", ps.file.c_str(), ps.line(),
               ps.entity_index, ps.brush_index, t.c_str());
    return false;
  }
  return true;
}

// The axis a face's plane is perpendicular to, or -1 when it is slanted or
// its three points do not span a plane.
int face_axis(const face& f) {
  double a[3], b[3];
  for (int k = 0; k < 3; ++k) {
    a[k] = f.p[1][k] - f.p[0][k];
    b[k] = f.p[2][k] - f.p[0][k];
  }
  double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (len < 1e-9) return -1;
  for (int k = 0; k < 3; ++k)
    if (std::fabs(std::fabs(n[k]) / len - 1.0) < 1e-9) return k;
  return -1;
}

// Turns six faces into a box: each axis must hold exactly two faces at two
// different places.
bool faces_to_box(parser& ps, const std::vector<face>& faces, int line, mapc_box& box) {
  double value[3][2];
  const std::string* tex[3][2];
  int count[3] = {0, 0, 0};
  bool ok = faces.size() == 6;
  for (const face& f : faces) {
    int axis = face_axis(f);
    if (axis < 0 || count[axis] >= 2) {
      ok = false;
      break;
    }
    value[axis][count[axis]] = f.p[0][axis];
    tex[axis][count[axis]] = &f.texture;
    ++count[axis];
  }
  for (int k = 0; ok && k < 3; ++k)
    if (count[k] != 2 || value[k][0] == value[k][1]) ok = false;
  if (!ok) {
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: not an axis-aligned box (only boxes are allowed)",
               ps.file.c_str(), line, ps.entity_index, ps.brush_index);
    return false;
  }
  double lo[3], hi[3];
  const std::string* tlo[3];
  const std::string* thi[3];
  for (int k = 0; k < 3; ++k) {
    int l = value[k][0] < value[k][1] ? 0 : 1;
    lo[k] = value[k][l];
    hi[k] = value[k][1 - l];
    tlo[k] = tex[k][l];
    thi[k] = tex[k][1 - l];
  }
  const double s = mapc_map_units_per_world_unit;
  box.lo[0] = lo[0] / s;
  box.hi[0] = hi[0] / s;
  box.lo[1] = lo[2] / s;
  box.hi[1] = hi[2] / s;
  box.lo[2] = -hi[1] / s;
  box.hi[2] = -lo[1] / s;
  box.texture[face_lo_x] = *tlo[0];
  box.texture[face_hi_x] = *thi[0];
  box.texture[face_lo_y] = *tlo[2];
  box.texture[face_hi_y] = *thi[2];
  box.texture[face_lo_z] = *thi[1];  // map +y is world -z
  box.texture[face_hi_z] = *tlo[1];
  box.entity = ps.entity_index;
  box.brush = ps.brush_index;
  box.line = line;
  return true;
}

bool read_brush(parser& ps, mapc_source& out) {
  int line = ps.line();
  if (!expect(ps, "{", "opening a brush")) return false;
  std::vector<face> faces;
  if (!ps.at_end() && !ps.is("(") && !ps.is("}")) {
    mapc_error(ps.log, "%s:%d: entity %d, brush %d: not a plain brush (\"%s\"); only boxes are allowed",
               ps.file.c_str(), line, ps.entity_index, ps.brush_index, ps.peek().text.c_str());
    return false;
  }
  while (ps.is("(")) {
    face f;
    if (!read_face(ps, f)) return false;
    faces.push_back(f);
  }
  if (!expect(ps, "}", "closing a brush")) return false;
  mapc_box box;
  if (!faces_to_box(ps, faces, line, box)) return true;  // reported; keep reading for more errors
  out.boxes.push_back(box);
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
