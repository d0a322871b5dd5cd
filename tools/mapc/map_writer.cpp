// The four sections of the map file.
#include "tools/mapc/map_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "tools/mapc/face_layout.h"

namespace {

void write_node(std::string& out, const mapc_tree& t, int n, const std::map<std::string, int>& ids,
                const std::vector<mapc_light_grid>& grids) {
  const mapc_node& node = t.nodes[n];
  if (node.face < 0) {
    out += node.solid ? "NODE 1 1 END\n" : "NODE 1 0 END\n";
    return;
  }
  const mapc_face& f = t.faces[node.face];
  out += "NODE 0 0 CONT " + std::to_string(ids.at(f.texture));
  for (double c : f.plane.n) out += " " + mapc_format_exact(c);
  out += "\nVERT " + std::to_string(f.w.size()) + "\n";
  for (const mapc_vec& p : f.w) {
    double u, v;
    mapc_face_uv(f, p, &u, &v);
    out += mapc_format_exact(p.x) + " " + mapc_format_exact(p.y) + " " + mapc_format_exact(p.z) + " " +
           mapc_format_exact(u) + " " + mapc_format_exact(v) + "\n";
  }
  out += "INDS 6 0 1 2 0 2 3\n";
  const mapc_light_grid& g = grids[node.face];
  out += "LIGHT " + std::to_string(g.rows) + " " + std::to_string(g.cols) + "\n";
  for (int r = 0; r < g.rows; ++r) {
    for (int c = 0; c < g.cols; ++c) {
      if (c) out += ' ';
      out += std::to_string(g.values[r * g.cols + c]);
    }
    out += '\n';
  }
  out += "FRONT ";
  write_node(out, t, node.front, ids, grids);
  out += "BACK ";
  write_node(out, t, node.back, ids, grids);
  out += "RET\n";
}

}  // namespace

std::string mapc_format_real(double v) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.4f", v);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0" || s.empty()) s = "0";
  return s;
}

std::string mapc_format_exact(double v) {
  std::string s = mapc_format_real(v);
  if (atof(s.c_str()) == v || !std::isfinite(v)) return s;
  char buf[64];
  snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::vector<std::string> mapc_texture_list(const mapc_tree& tree) {
  std::vector<std::string> list;
  std::map<std::string, int> seen;
  for (const mapc_face& f : tree.faces)
    if (seen.emplace(f.texture, 0).second) list.push_back(f.texture);
  return list;
}

std::string mapc_write_map(const std::vector<mapc_nav_node>& nav, const std::vector<mapc_entity>& entities,
                           const std::vector<std::string>& textures, const mapc_tree& tree,
                           const std::vector<mapc_light_grid>& grids) {
  std::string out;
  for (size_t i = 0; i < nav.size(); ++i) {
    const mapc_nav_node& n = nav[i];
    out += "AINODE: " + std::to_string(i) + " " + mapc_format_real(n.pos.x) + " " +
           mapc_format_real(n.pos.y) + " " + mapc_format_real(n.pos.z) + " " + std::to_string(n.links.size());
    for (int l : n.links) out += " " + std::to_string(l);
    out += '\n';
  }
  out += "EONL\n";
  for (const mapc_entity& e : entities)
    out += "ENT: " + std::to_string(e.type) + " " + mapc_format_real(e.pos.x) + " " +
           mapc_format_real(e.pos.y) + " " + mapc_format_real(e.pos.z) + "\n";
  out += "EOEL\n";
  std::map<std::string, int> ids;
  for (size_t i = 0; i < textures.size(); ++i) {
    ids[textures[i]] = static_cast<int>(i) + 1;
    out += "TEXTURE: " + std::to_string(i + 1) + " " + textures[i] + ".webp\n";
  }
  out += "EOTC\n";
  write_node(out, tree, tree.root, ids, grids);
  return out;
}
