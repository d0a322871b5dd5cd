// The table of entity classes.
#include "tools/mapc/entity_classes.h"

namespace {

struct entity_class {
  const char* name;
  int type;
};

const entity_class classes[] = {
    {"player_start", 1},       {"ent_exit", 2},         {"ent_prop1", 100},    {"ent_prop2", 101},
    {"ent_worker", 200},       {"ent_mob2", 201},       {"ent_mob3", 202},     {"ent_mob4", 203},
    {"ent_mob5", 204},         {"ent_mob6", 205},       {"ent_mob7", 206},     {"ent_mob8", 207},
    {"ent_mob9", 208},         {"ent_mob10", 209},      {"ent_mob13", 210},    {"ent_mob14", 211},
    {"ent_boss1", 212},        {"ent_boss2", 213},      {"ent_magazine", 400}, {"ent_shells", 401},
    {"ent_energy_cells", 402}, {"ent_lbbus_cell", 403}, {"ent_morphine", 410}, {"ent_mouse", 420},
};
constexpr int class_count = sizeof classes / sizeof classes[0];

}  // namespace

int mapc_entity_type(const std::string& classname) {
  if (classname == "light" || classname == "worldspawn") return 0;
  if (classname == "info_player_start") return 1;
  for (const entity_class& c : classes)
    if (classname == c.name) return c.type;
  return -1;
}

int mapc_entity_class_count() { return class_count; }
const char* mapc_entity_class_name(int i) { return i >= 0 && i < class_count ? classes[i].name : ""; }
int mapc_entity_class_type(int i) { return i >= 0 && i < class_count ? classes[i].type : -1; }
