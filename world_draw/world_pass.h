// The level drawn for speed, looking as the painter's order draws it.
//
// The painter's order (world_draw) draws every polygon that faces the eye,
// back to front, each twice when it is light-mapped, and the sky under all
// of it. This pass draws the same picture with less work:
// - polygons wholly outside the view volume are skipped (the clipper would
//   leave nothing of them);
// - a light-mapped quad is drawn once, its light map applied by a small
//   shader as the light map's own pass would have blended it;
// - polygons whose texture is opaque in every texel are drawn nearest
//   first under the depth test, without blending, so a pixel already
//   covered costs only its depth test. The tree's order is kept, reversed:
//   for every line of sight it still meets the nearest polygon first;
// - the opaque polygons go to the driver as one batch where they can: their
//   textures are layers of one array texture and their light maps sit in
//   one atlas, so nothing changes between them (a light map of one
//   darkness throughout darkens through the colour instead);
// - polygons that would draw nothing at all (a texture the alpha test drops
//   everywhere, such as the openings onto the sky, with no light map that
//   darkens) are left out;
// - the sky is then drawn only into the pixels no polygon covered, and the
//   see-through polygons last, back to front, blended over both.
// Where nearest-first cannot give the painter's picture (see
// world_pass_nearest_first_safe), the same polygons are drawn back to front
// over a sky drawn first, as the painter does.
#pragma once
#include <cstdint>
#include <vector>

#include "world/world_vis.h"
#include "world_draw/light_atlas.h"
#include "world_draw/texture_opacity.h"
#include "world_draw/view_frustum.h"
#include "world_draw/world_shader.h"
#include "world_draw/world_texture_array.h"

struct bsp_node;
struct bsp_polygon;
struct texture_table;

// What one frame's collection found, for the benchmarks and tests.
struct world_pass_counts {
  int32_t facing;       // polygons facing the eye
  int32_t in_view;      // of those, the ones reaching into the view volume
  int32_t see_through;  // of those, the ones whose texture is not opaque everywhere
  int32_t invisible;    // of those, the ones left out: they would draw nothing at all
  int32_t hidden;       // polygons facing the eye that the visible sets left out (not counting whole subtrees
                        // passed by)
};

// One step of the tree walk: visit a node, or hand out its polygon.
struct world_pass_step {
  const bsp_node* node;
  bool emit;
  int32_t index;  // the node's place in the map file's order (for the visible sets)
};

// What the pass keeps from frame to frame: its lists (kept to avoid
// allocating every frame), the opacity of the level's textures and the
// shader.
struct world_pass_cache {
  std::vector<const bsp_polygon*> visible;  // this frame's polygons, back to front
  std::vector<uint8_t> opaque;              // per visible polygon: its texture is opaque
  std::vector<world_pass_step> stack;
  world_vis vis;          // the level's visible sets, when its map has them
  bool vis_used = false;  // this frame's collection left out what they hide (vis.seen holds for this eye)
  texture_opacity_table opacity;
  world_shader shader;
  // Opaque polygons drawn together, without a texture change between them:
  // their textures as layers of one array, their light maps in one atlas.
  world_texture_array array;
  light_atlas atlas;
  std::vector<texture_opacity_entry> array_wanted;  // the level's opaque textures, this frame
  bool batch;                                       // this frame's opaque pass uses them
  double deepest;  // largest distance along the view axis of a visible polygon's corner
  world_pass_counts counts;
};

// Collects the frame's polygons: those facing `eye` that reach into the
// view volume of the matrices in force and, when the level has visible sets
// (cache.vis), that face a leaf the eye's leaf can see, in the tree's
// back-to-front order,
// each marked opaque or not. Called inside the camera transform, before
// either drawing routine.
// With the batch program at hand it also brings the texture array and the
// light atlas up to date with the level (reading textures back the first
// time a level is seen).
void world_pass_collect(world_pass_cache& cache, bsp_node* root, const double eye[3],
                        const texture_table& textures);

// Forgets every GL object the cache holds, without deleting them, after the
// context they belonged to is gone (a video restart).
void world_pass_forget_context(world_pass_cache& cache);

// The distance beyond which a depth may round to the far plane's own value
// (the value of a pixel nothing was drawn on) in a depth buffer of
// `depth_bits` bits, for a perspective from `near_plane` to `far_plane`.
double world_pass_far_depth_limit(double near_plane, double far_plane, int depth_bits);

// Whether drawing nearest first gives the painter's picture this frame: no
// collected polygon reaches beyond `far_limit` (world_pass_far_depth_limit),
// where the sky drawn afterwards could not tell it from an empty pixel.
bool world_pass_nearest_first_safe(const world_pass_cache& cache, double far_limit);

// Draws the collected opaque polygons nearest first: depth function
// "less", depth writes on, blending and the alpha test off. Leaves
// blending and the alpha test on again, the colour white and the texture
// matrix mirrored.
void world_pass_draw_opaque(world_pass_cache& cache, const double eye[3], bool vertex_light_flag);

// Draws the collected see-through polygons back to front as the painter
// does each of them (texture pass, then the light map), depth-tested
// against what is already drawn. Called after the opaque polygons and the
// sky.
void world_pass_draw_see_through(world_pass_cache& cache, const double eye[3], bool vertex_light_flag);

// Draws every collected polygon back to front with the depth function
// "always", as the painter does, opaque ones in one pass each. Called
// after the sky when nearest first is not safe.
void world_pass_draw_painter(world_pass_cache& cache, const double eye[3], bool vertex_light_flag);
