// Small compiled levels for the enemy tests, and the entity half of the game tick over them.
#include "tests/entities/enemy_arena.h"

#include <gtest/gtest.h>

#include "base/entity.h"
#include "config/config_table.h"
#include "config/mouse_state.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "player/player_update.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"

arena::~arena() { free_loaded_map(map); }

std::string entity_key(char c, const std::string& class_name) {
  return std::string("key ") + c + " room " + class_name + "\n";
}

bool arena::build(const std::vector<std::string>& grid, const std::string& extra_keys) {
  if (!test_gl_context()) {
    ADD_FAILURE() << "no GL context";
    return false;
  }
  std::string text =
      "cell 2\nminlight 40\nsolid # concrete\nkind room 0 6 floor_tiles ceiling_panel metal_wall\n"
      "key . room\nkey P room player_start\nkey L room light light 300\n" +
      extra_keys + "grid\n";
  for (const std::string& row : grid) text += row + "\n";
  text += "end\n";
  mapc_source src;
  mapc_result result;
  mapc_log compile_log;
  if (!compile_text(text, "arena.lvl", src, result, compile_log)) {
    std::string errors;
    for (const std::string& line : compile_log.errors) errors += line + "\n";
    ADD_FAILURE() << "the arena does not compile:\n" << errors;
    return false;
  }
  load_map_text(result.text, map);
  if (map.failed) {
    ADD_FAILURE() << "the arena does not load:\n" << map.log;
    return false;
  }
  config_table table{};
  set_config_defaults(table);
  player_init(p, table);
  if (entity* start = first(1)) put_player(start->pos[0], start->pos[1], start->pos[2]);
  return true;
}

void arena::tick(int n, bool move_player) {
  capture_stdout_begin();
  for (int i = 0; i < n; ++i) {
    entities_update(map.head, p, map.root, map.nodes, map.head, dt);
    entities_prune(map.head);
    if (move_player) player_update(p, keys, map.root, map.head, dt, mouse_state{});
  }
  log += capture_stdout_end();
}

entity* arena::first(int type) const {
  for (entity* e = map.head; e; e = e->next)
    if (e->type == type) return e;
  return nullptr;
}

int arena::count(int type) const {
  int n = 0;
  for (entity* e = map.head; e; e = e->next)
    if (e->type == type) ++n;
  return n;
}

void arena::put_player(double x, double y, double z) {
  p.pos[0] = x;
  p.pos[1] = y;
  p.pos[2] = z;
}
