// Small GL scenes for the drawing tests: textures made in memory, a known
// starting state and pixel read-back from the 256 x 256 test window.
#pragma once
#include <cstdint>

struct game_state;

constexpr int scene_size = 256;

struct rgba {
  int r, g, b, a;
};

// A texture of w x h texels from RGBA bytes, top row first, nearest filter.
uint32_t make_texture(int w, int h, const uint8_t* pixels);

// A 2 x 2 texture of one colour.
uint32_t solid_texture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);

// The GL state every frame starts from (blending, texturing, identity
// matrices), a full viewport, and a cleared black frame.
void reset_scene();

// Perspective looking from the origin along -z: fov 60, square, near 0.1.
void look_down_minus_z(double far_plane = 500.0);

// The colour at window pixel (x, y), (0, 0) the lower left corner.
rgba read_pixel(int x, int y);

// A game state for render_frame on the test window: defaults for the
// variables, a 256 x 256 view with fov 60, an empty entity list and no tree.
// Free with free_test_game.
game_state* new_test_game();
void free_test_game(game_state* gs);

struct bsp_node;

// An inner node whose polygon is the square of half size `half` around
// (cx, cy) in the plane z, facing +z (towards an eye at larger z), with the
// whole texture on it. Freed by bsp_free.
bsp_node* square_node(double cx, double cy, double half, double z, uint32_t texture);

// Gives the node's polygon a light map of `rows` x `cols` texels, all
// black with alpha `darkness`.
void give_light_map(bsp_node* node, int rows, int cols, uint8_t darkness);

// Writes the window's pixels (w x h from the lower left) as a binary PPM,
// top row first. False when the file cannot be written.
bool save_ppm(const char* path, int w, int h);
