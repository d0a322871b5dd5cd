// Making the head of an entity list.
#include "entities/entity.h"

entity* entity_list_new_head() { return new entity{}; }
