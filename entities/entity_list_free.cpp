// Releasing a whole entity list.
#include "entities/entity_list_free.h"

#include "base/entity.h"

void entity_list_free(entity* head) {
  while (head) {
    entity* next = head->next;
    delete[] head->path;
    delete head;
    head = next;
  }
}
