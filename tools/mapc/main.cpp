// mapc: compiles a level source (.map or grid) into a map file.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/mapc/compile.h"
#include "tools/mapc/preview.h"

namespace {

void usage() {
  fprintf(
      stderr,
      "usage: mapc [--textures DIR] [--preview FILE.png] [--pointfile FILE.pts] [--vis] SOURCE OUTPUT.t3bsp\n"
      "  SOURCE is a Quake .map (standard or Valve 220) or a grid level; see tools/mapc/README.md\n");
}

std::string without_extension(const std::string& path) {
  size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
  return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path : path.substr(0, dot);
}

void print_log(const mapc_log& log) {
  for (const std::string& w : log.warnings) fprintf(stderr, "mapc: warning: %s\n", w.c_str());
  for (const std::string& e : log.errors) fprintf(stderr, "mapc: error: %s\n", e.c_str());
}

// Writes the whole text; false, with an error line, when it cannot.
bool write_file(const std::string& path, const std::string& text) {
  FILE* f = fopen(path.c_str(), "wb");
  bool ok = f && fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f && fclose(f) != 0) ok = false;
  if (!ok) fprintf(stderr, "mapc: error: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  mapc_options options;
  options.progress = true;
  std::string preview, source, output;
  bool point_file_given = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--textures" || a == "--preview" || a == "--pointfile") && i + 1 < argc) {
      std::string v = argv[++i];
      if (a == "--textures")
        options.texture_dir = v;
      else if (a == "--preview")
        preview = v;
      else
        options.point_file = v, point_file_given = true;
    } else if (a == "--vis") {
      options.vis = true;
    } else if (source.empty() && a[0] != '-') {
      source = a;
    } else if (output.empty() && a[0] != '-') {
      output = a;
    } else {
      usage();
      return 2;
    }
  }
  if (source.empty() || output.empty()) {
    usage();
    return 2;
  }
  if (!point_file_given) options.point_file = without_extension(source) + ".pts";
  mapc_source src;
  mapc_log log;
  mapc_result result;
  if (!mapc_load_source(source, src, log) || !mapc_compile(src, options, result, log)) {
    print_log(log);
    return 1;
  }
  print_log(log);
  if (!write_file(output, result.text)) return 1;
  std::string vis_path = without_extension(output) + ".vis";
  if (options.vis ? !write_file(vis_path, result.vis_file) : (remove(vis_path.c_str()), false)) return 1;
  if (!preview.empty() && !mapc_write_preview(preview, src, result, 4))
    fprintf(stderr, "mapc: warning: cannot write the preview %s\n", preview.c_str());
  printf("mapc: %s: %s\n", source.c_str(), mapc_summary(result).c_str());
  if (options.vis)
    printf("mapc: %s: visible sets of %d clusters through %d one-way portals (%d ran out of steps)\n",
           source.c_str(), result.vis_clusters, result.vis_portals, result.vis_gave_up);
  return 0;
}
