// Compiling test levels and reading them back through the game's readers.
#include "tests/tools/mapc/mapc_load.h"

#include <cstdio>

#include "base/entity.h"
#include "entities/entities_read.h"
#include "entities/entity_list_free.h"
#include "tests/support/capture_stdout.h"
#include "tools/mapc/grid_parser.h"
#include "tools/mapc/map_parser.h"
#include "world/ai_node.h"
#include "world/ai_nodes_read.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"
#include "world/map_read_node.h"
#include "world/map_stream.h"
#include "world/world_textures_read.h"

const char* small_room_head =
    "cell 2\n"
    "minlight 10\n"
    "solid # concrete\n"
    "kind room 0 4 floor_tiles ceiling_panel metal_wall\n"
    "key . room\n"
    "key P room player_start\n"
    "key E room ent_exit\n"
    "key L room light light 300\n";

bool compile_text(const std::string& text, const std::string& file, mapc_source& src, mapc_result& result,
                  mapc_log& log, const mapc_options& options) {
  src = mapc_source{};
  bool parsed = file.size() > 4 && file.compare(file.size() - 4, 4, ".map") == 0
                    ? mapc_parse_map(text, file, src, log)
                    : mapc_parse_grid(text, file, src, log);
  return parsed && mapc_compile(src, options, result, log);
}

void load_map_text(const std::string& text, loaded_map& out) {
  std::string copy = text;
  FILE* f = fmemopen(&copy[0], copy.size(), "r");
  map_stream s = map_stream_over(f, "compiled.t3bsp");
  out.head = entity_list_new_head();
  capture_stdout_begin();
  out.nodes = ai_nodes_read(s);
  ai_nodes_link(out.nodes);
  entities_read(s, out.head);
  world_textures_read(s, out.table, nullptr);
  out.root = new bsp_node{};
  map_read_node(s, out.root, out.table);
  out.log = capture_stdout_end();
  out.failed = s.failed != 0;
  fclose(f);
}

void free_loaded_map(loaded_map& m) {
  if (m.root) bsp_free(m.root);
  if (m.nodes) ai_nodes_free(m.nodes);
  if (m.table.world_textures) world_textures_free(m.table.world_textures);
  if (m.head) entity_list_free(m.head);
  m = loaded_map{};
}

int loaded_node_count(const loaded_map& m) {
  int n = 0;
  for (const ai_node* a = m.nodes; a; a = a->next) ++n;
  return n;
}

int loaded_entity_count(const loaded_map& m, int type) {
  int n = 0;
  for (const entity* e = m.head ? m.head->next : nullptr; e; e = e->next)
    if (type < 0 || e->type == type) ++n;
  return n;
}
