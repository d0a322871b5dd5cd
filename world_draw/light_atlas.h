// The level's light maps copied side by side into one texture, so that the
// world pass can draw polygons with different light maps without changing
// textures between them: in this renderer every texture change costs a
// draw of its own, and the light maps alone made a hundred of them a frame.
#pragma once
#include <cstdint>

struct bsp_node;
struct bsp_polygon;

// The atlas texture (linear filtering, as the light maps have) and where the
// next light map goes: rows of maps ("shelves") filled left to right.
struct light_atlas {
  uint32_t texture;     // 0 until built in the current context
  uint32_t generation;  // polygons placed under another value are not in it
  int32_t width;
  int32_t height;
  int32_t shelf_x, shelf_y, shelf_height;
  int32_t left_out;  // light maps of the level that did not fit
};

constexpr int32_t light_atlas_side = 1024;
// A corner block of darkness 0, for polygons drawn without a light map.
constexpr int32_t light_atlas_blank_side = 4;

// Whether the polygon's light map can be read from the atlas: a light-mapped
// quad placed in the current generation.
bool light_atlas_holds(const light_atlas& atlas, const bsp_polygon& poly);

// Whether the polygon was placed (or found not to fit) in this generation.
bool light_atlas_placed(const light_atlas& atlas, const bsp_polygon& poly);

// Starts a new generation and copies every light-mapped quad's light map of
// the tree into the atlas, from the darkness kept when the level was read;
// those that do not fit are marked so. Makes the texture when there is none.
// Logs how many maps it took and how many did not fit.
void light_atlas_rebuild(light_atlas& atlas, bsp_node* root);

// The atlas coordinates of corner `corner` (0 to 3) of a held polygon's
// light map, the same texel positions light_map_coord gives in its own
// texture; for any other polygon, the middle of the blank block.
void light_atlas_coord(const light_atlas& atlas, const bsp_polygon& poly, int corner, double* s, double* t);

// The middle of the blank block: light coordinates that darken nothing.
void light_atlas_blank_coord(const light_atlas& atlas, double* s, double* t);

// Forgets the texture without deleting it: after the GL context it belonged
// to is gone. The next rebuild makes a new one.
void light_atlas_forget_context(light_atlas& atlas);
