// Entity class names of level sources and the type codes they become.
#pragma once
#include <string>

// The type code of a point-entity class name; 0 for "light" and "worldspawn",
// -1 for an unknown name. "info_player_start" is taken as "player_start".
int mapc_entity_type(const std::string& classname);

// Number of entity classes a level can place (light and worldspawn aside).
int mapc_entity_class_count();
// Class name and type code of class i (0 to count - 1).
const char* mapc_entity_class_name(int i);
int mapc_entity_class_type(int i);
