// Small compiled levels for the weapon and pickup tests, and the tick that drives them.
#include "tests/scenario/weapons/weapons_level.h"

#include "base/entity.h"
#include "config/config_table.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "entities/player_weapons_step.h"
#include "player/player_update.h"
#include "tests/support/gl_context.h"

testing::AssertionResult load_weapons_level(const std::string& rows, weapons_level& l) {
  if (!test_gl_context()) return testing::AssertionFailure() << "no GL context";
  std::string text =
      "cell 2\nminlight 60\nsolid # concrete\nkind hall 0 8 metal_floor ceiling_panel metal_wall\n"
      "key . hall\nkey P hall player_start\nkey w hall ent_worker\n";
  for (char c = '2'; c <= '9'; ++c) text += std::string("key ") + c + " hall ent_mob" + c + "\n";
  const char* named[][2] = {{"A", "ent_mob10"},    {"D", "ent_mob13"},        {"F", "ent_mob14"},
                            {"B", "ent_boss1"},    {"C", "ent_boss2"},        {"m", "ent_magazine"},
                            {"s", "ent_shells"},   {"e", "ent_energy_cells"}, {"c", "ent_lbbus_cell"},
                            {"h", "ent_morphine"}, {"M", "ent_mouse"}};
  for (auto& n : named) text += std::string("key ") + n[0] + " hall " + n[1] + "\n";
  text += "grid\n" + rows + "end\n";

  mapc_log log;
  if (!compile_text(text, "weapons.lvl", l.src, l.result, log))
    return testing::AssertionFailure() << (log.errors.empty() ? "refused" : log.errors[0]);
  load_map_text(l.result.text, l.map);
  const entity* start = l.first(1);
  if (l.map.failed || !start) return testing::AssertionFailure() << "did not load";
  config_table table{};
  set_config_defaults(table);
  player_init(l.p, table);
  for (int i = 0; i < 3; ++i) l.p.pos[i] = start->pos[i];
  return testing::AssertionSuccess();
}

void weapons_level::run(int ticks) {
  for (int t = 0; t < ticks; ++t) {
    for (int i = 0; i < key_slot_count; ++i) {
      int32_t& k = keys.slots[i];
      const bool was_down = k == key_pressed || k == key_held;
      k = down[i] ? (was_down ? key_held : key_pressed) : (was_down ? key_released : key_up);
    }
    entities_update(map.head, p, map.root, map.nodes, map.head, tick);
    entities_prune(map.head);
    p.shot_sound_request = 0;  // the sound pass clears it after every frame
    player_update(p, keys, map.root, map.head, tick, mouse);
  }
}

void weapons_level::fire_once(int gun) {
  p.current_gun = gun;
  p.reloading = 0;
  p.guns[gun].trigger = 1;
  p.guns[gun].fire_timer = 0.0;
  if (gun < 4 && p.guns[gun].loaded < 2) p.guns[gun].loaded = 2;
  weapon_step(p, map.head, map.root);
}

entity* weapons_level::first(int type) const {
  for (entity* e = map.head ? map.head->next : nullptr; e; e = e->next)
    if (e->type == type) return e;
  return nullptr;
}

int weapons_level::count(int type) const {
  int n = 0;
  for (entity* e = map.head ? map.head->next : nullptr; e; e = e->next) n += e->type == type;
  return n;
}
