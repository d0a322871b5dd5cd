// The entities of the level drawn as billboards that face the viewer.
#pragma once
#include <cstdint>

struct bsp_node;
struct entity;
struct player;
struct texture_table;
struct world_vis;

// Draws every entity of the list from the last entry to the first, each by
// the image and size of its type; types without a sprite are skipped.
// Called by render_frame inside the camera transform, depth-tested. With
// `vis` (sets worked out for this frame's eye in the tree `root`), an
// entity whose sprite lies wholly in leaves the eye cannot see is skipped:
// the world in front of it would hide every pixel of it.
void draw_entities(const entity* list, const player& viewer, const texture_table& textures,
                   const world_vis* vis = nullptr, const bsp_node* root = nullptr);

// The box around every place the entity's sprite can cover, whichever way
// it faces; false for types without a sprite.
bool entity_sprite_box(const entity& e, double lo[3], double hi[3]);

// One image centred on the entity's pos, turned to face the viewer,
// mirrored left to right; projectiles (300 to 399) darken with distance.
void draw_billboard(const entity& e, uint32_t texture, double half_width, double half_height,
                    const player& viewer);

// One cell of the entity's sprite sheet standing on its pos, chosen by its
// state, frame and the side it is seen from; darkened with distance except
// while firing. `height` is the whole height of the quad.
void draw_animated_billboard(const entity& e, uint32_t texture, double half_width, double height,
                             int32_t rows, const player& viewer);
