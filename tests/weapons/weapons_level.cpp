// Small compiled levels for the weapon and pickup tests, and a player standing in them.
#include "tests/weapons/weapons_level.h"

#include "config/config_table.h"
#include "entities/entity.h"
#include "tests/support/gl_context.h"

const char* weapons_legend =
    "cell 2\n"
    "minlight 60\n"
    "solid # concrete\n"
    "kind hall 0 8 metal_floor ceiling_panel metal_wall\n"
    "key . hall\n"
    "key P hall player_start\n"
    "key L hall light light 300\n"
    "key w hall ent_worker\n"
    "key 2 hall ent_mob2\n"
    "key 3 hall ent_mob3\n"
    "key 4 hall ent_mob4\n"
    "key 5 hall ent_mob5\n"
    "key 6 hall ent_mob6\n"
    "key 7 hall ent_mob7\n"
    "key 8 hall ent_mob8\n"
    "key 9 hall ent_mob9\n"
    "key A hall ent_mob10\n"
    "key D hall ent_mob13\n"
    "key F hall ent_mob14\n"
    "key B hall ent_boss1\n"
    "key C hall ent_boss2\n"
    "key m hall ent_magazine\n"
    "key s hall ent_shells\n"
    "key e hall ent_energy_cells\n"
    "key c hall ent_lbbus_cell\n"
    "key h hall ent_morphine\n"
    "key M hall ent_mouse\n";

testing::AssertionResult load_weapons_level(const std::string& grid, weapons_level& l) {
  if (!test_gl_context()) return testing::AssertionFailure() << "no GL context";
  mapc_log log;
  const std::string text = std::string(weapons_legend) + "grid\n" + grid + "end\n";
  if (!compile_text(text, "weapons.lvl", l.src, l.result, log))
    return testing::AssertionFailure() << "level refused: " << (log.errors.empty() ? "" : log.errors[0]);
  load_map_text(l.result.text, l.map);
  if (l.map.failed) return testing::AssertionFailure() << "level did not load";

  config_table table{};
  set_config_defaults(table);
  player_init(l.p, table);
  const entity* start = first_of_type(l, 1);
  if (!start) return testing::AssertionFailure() << "no player start";
  for (int i = 0; i < 3; ++i) l.p.pos[i] = start->pos[i];
  return testing::AssertionSuccess();
}

void free_weapons_level(weapons_level& l) { free_loaded_map(l.map); }

entity* first_of_type(const weapons_level& l, int type) {
  for (entity* e = l.map.head ? l.map.head->next : nullptr; e; e = e->next)
    if (e->type == type) return e;
  return nullptr;
}

int count_of_type(const weapons_level& l, int type) {
  int n = 0;
  for (const entity* e = l.map.head ? l.map.head->next : nullptr; e; e = e->next)
    if (e->type == type) ++n;
  return n;
}

const key_state& held_keys::poll() {
  for (int i = 0; i < key_slot_count; ++i) {
    int32_t& k = keys.slots[i];
    const bool was_down = k == key_pressed || k == key_held;
    if (down[i])
      k = was_down ? key_held : key_pressed;
    else
      k = was_down ? key_released : key_up;
  }
  return keys;
}
