// Releasing a whole entity list.
#pragma once

struct entity;

// Frees every entity from `head` along `next`, the head included, with the
// path arrays they own. Sound sources are released by the audio code first.
void entity_list_free(entity* head);
