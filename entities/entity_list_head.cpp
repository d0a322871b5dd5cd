// Making the head of an entity list.
#include "base/entity.h"

entity* entity_list_new_head() { return new entity{}; }
