// Resolving a polygon's texid to a GL texture.
#pragma once
#include <cstdint>

struct world_texture;

// The `texture` of the first entry with `id` == texid, walking from `head`
// along `next`; `default_texture` when none matches or head is null.
// Called once per polygon by the tree reader.
uint32_t world_texture_find(const world_texture* head, uint32_t default_texture, int32_t texid);
