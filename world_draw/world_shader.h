// The program that draws a light-mapped polygon in one pass: the texture,
// darkened by the light map where the light map's pass would have darkened
// it. Needs OpenGL 2.0; without it the world pass draws two passes.
#pragma once
#include <cstdint>

struct world_shader {
  uint32_t program;  // 0 until made, or when it cannot be
  bool tried;        // made (or found impossible) in the current context
  bool logged;       // the reason it cannot be made has been logged
  // The program that draws any opaque polygon from the texture array and
  // the light atlas (world_texture_array.h, light_atlas.h).
  uint32_t batch_program;
  bool batch_tried;
  bool batch_logged;
};

// Which drawing is bound: the fixed pipeline, the light-map program or the
// batch program.
enum world_shading { shading_fixed, shading_light_map, shading_batch };

// Makes the program in the current context when it is missing, and tells
// whether it can be used. A context made after the last call (a video
// restart) no longer knows the program, which is then made again. When the
// driver has no OpenGL 2.0 or refuses the shaders, one log line says so and
// false is returned from then on in that context.
bool world_shader_ready(world_shader& shader);

// The batch program, made like the other when missing; false when it
// cannot be (logged once), for example without array textures in GLSL.
bool world_shader_batch_ready(world_shader& shader);

// Binds the light-map program (texture unit 0 the polygon's texture, unit 1
// its light map), the batch program (unit 0 the texture array, the layer in
// the third texture coordinate; unit 1 the light atlas) or goes back to the
// fixed pipeline.
void world_shader_use(const world_shader& shader, world_shading shading);

// Forgets the programs without deleting them, after their context is gone.
void world_shader_forget_context(world_shader& shader);

// The light map's pass leaves a texel whose darkness (0 to 255) is at most
// this untouched: its alpha test drops it.
constexpr int32_t light_map_faint_darkness = 26;

// What the light map's pass, or the program, scales a texel's colour by
// where the light map holds `darkness`: 1 - darkness / 255, or 1 for a
// faint darkness. A polygon whose light map is one darkness throughout is
// drawn with this as its colour instead.
double light_map_scale(int32_t darkness);
