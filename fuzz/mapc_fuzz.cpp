// What the compiler's fuzz targets share: compile a source text and, when
// the compiler accepts it, read the map file it wrote with the game's own
// readers, which must accept it too.
#include "fuzz/mapc_fuzz.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/map_read_level.h"
#include "base/entity.h"
#include "base/texture_table.h"
#include "entities/entity_list_free.h"
#include "tools/mapc/compile.h"
#include "tools/mapc/grid_parser.h"
#include "tools/mapc/map_parser.h"
#include "world/ai_node.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"
#include "world/map_stream.h"

namespace {

bool ends_with_map(const char* file) {
  std::string f = file;
  return f.size() > 4 && f.compare(f.size() - 4, 4, ".map") == 0;
}

// The game's four readers over the compiled text.
bool game_reads(const std::string& text) {
  FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  if (!file) return true;
  map_stream s = map_stream_over(file, "compiled.t3bsp");
  texture_table textures{};
  textures.slots[tex_default_world] = 1;
  entity* head = entity_list_new_head();
  bsp_node* root = new bsp_node{};
  ai_node* nodes = nullptr;
  bool ok = map_read_level(s, head, textures, root, nodes);
  fclose(file);
  world_textures_free(textures.world_textures);
  entity_list_free(head);
  ai_nodes_free(nodes);
  bsp_free(root);
  return ok;
}

}  // namespace

void mapc_fuzz_init() {
  if (!freopen("/dev/null", "w", stdout)) return;
  char dir[] = "/tmp/tarvo_fuzz_mapc_XXXXXX";
  if (mkdtemp(dir) && chdir(dir) != 0) return;
}

void mapc_fuzz_one(const uint8_t* data, size_t size, const char* file) {
  std::string text(reinterpret_cast<const char*>(data), size);
  mapc_source src;
  mapc_log log;
  bool parsed =
      ends_with_map(file) ? mapc_parse_map(text, file, src, log) : mapc_parse_grid(text, file, src, log);
  if (!parsed) return;
  mapc_result result;
  if (!mapc_compile(src, mapc_options{}, result, log)) {
    if (log.errors.empty()) abort();  // a refusal always says why
    return;
  }
  if (!game_reads(result.text)) abort();
}
