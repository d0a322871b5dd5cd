// Reading the entity section of a map file into the entity list.
#pragma once
#include <cstdint>

struct entity;
struct map_stream;

// Appends one entity per ENT: record behind `previous` (the level load
// passes the list's head), up to the first token that is not "ENT:" (that
// token is consumed; "EOEL" is logged). Each entity gets its type and
// position, frame 1, state 1, the health of its type and the id after
// previous's. When the file is rejected the entities appended by this call
// are unlinked and freed, and `previous` is the list's tail again.
void entities_read(map_stream& s, entity* previous);

// The health an entity of `type` starts a level with.
int32_t entity_health_at_load(int32_t type);
