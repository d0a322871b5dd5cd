// The level drawn for speed, looking as the painter's order draws it.
#include "world_draw/world_pass.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>

#include "base/texture_table.h"
#include "world/bsp_node.h"
#include "world_draw/world_draw.h"

namespace {

// The GL state the pass has set, so that nothing is set twice in a row.
// Texture names start at an impossible value: the first polygon binds.
struct pass_state {
  bool blending = true;
  bool alpha_test = true;
  world_shading shading = shading_fixed;
  double grey = 1.0;  // the current colour, while vertex lighting is off
  GLenum depth_func = GL_ALWAYS;
  uint32_t base = ~0u;
  uint32_t light = ~0u;
};

void set_mirrored_texture_matrix() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScaled(1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
}

void set_identity_texture_matrix() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

// Blending and the alpha test together: off for opaque textures, whose
// texels all have alpha 1 (blending then changes nothing and the test
// passes everything), on for everything else.
void set_blending(pass_state& st, bool on) {
  if (st.blending != on) {
    if (on)
      glEnable(GL_BLEND);
    else
      glDisable(GL_BLEND);
    st.blending = on;
  }
  if (st.alpha_test != on) {
    if (on)
      glEnable(GL_ALPHA_TEST);
    else
      glDisable(GL_ALPHA_TEST);
    st.alpha_test = on;
  }
}

void set_depth_func(pass_state& st, GLenum func) {
  if (st.depth_func == func) return;
  glDepthFunc(func);
  st.depth_func = func;
}

void set_shading(pass_state& st, const world_shader& shader, world_shading shading) {
  if (st.shading == shading) return;
  world_shader_use(shader, shading);
  st.shading = shading;
}

void set_grey(pass_state& st, double grey) {
  if (st.grey == grey) return;
  glColor3d(grey, grey, grey);
  st.grey = grey;
}

void bind_base(pass_state& st, uint32_t texture) {
  if (st.base == texture) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  st.base = texture;
}

void bind_light(pass_state& st, uint32_t texture) {
  if (st.light == texture) return;
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, texture);
  glActiveTexture(GL_TEXTURE0);
  st.light = texture;
}

// The polygon with its texture coordinates and, under vertex lighting, its
// grey per vertex; with `light_coords` its first four corners also carry
// their light-map coordinates on unit 1.
void emit_polygon(const bsp_polygon& poly, const double eye[3], bool vertex_light_flag, bool light_coords) {
  glBegin(GL_POLYGON);
  for (int i = 0; i < poly.vert_count; ++i) {
    const map_vertex& v = poly.verts[i];
    if (vertex_light_flag) set_vertex_light_colour(v, eye);
    if (light_coords && i < 4) {
      double s, t;
      light_map_coord(i, poly.light_rows, poly.light_cols, &s, &t);
      glMultiTexCoord2d(GL_TEXTURE1, s, t);
    }
    glTexCoord2d(v.u, v.v);
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

// The polygon for the batch program: its layer of the texture array as the
// third texture coordinate and, on unit 1, its light map's place in the
// atlas (its first four corners) or the atlas's blank block.
void emit_batched_polygon(const bsp_polygon& poly, const double eye[3], bool vertex_light_flag, int32_t layer,
                          const light_atlas& atlas, bool atlas_light) {
  double blank_s, blank_t;
  light_atlas_blank_coord(atlas, &blank_s, &blank_t);
  glBegin(GL_POLYGON);
  for (int i = 0; i < poly.vert_count; ++i) {
    const map_vertex& v = poly.verts[i];
    if (vertex_light_flag) set_vertex_light_colour(v, eye);
    double s = blank_s, t = blank_t;
    if (atlas_light && i < 4) light_atlas_coord(atlas, poly, i, &s, &t);
    glMultiTexCoord2d(GL_TEXTURE1, s, t);
    glTexCoord3d(v.u, v.v, layer);
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

// The light map's own pass over the first four corners, as the painter
// draws it: black texels, the darkness as alpha, blended and alpha-tested.
// Leaves the texture matrix mirrored again and unit 0's binding unknown.
void emit_light_map_pass(pass_state& st, const bsp_polygon& poly, GLenum depth_func) {
  set_blending(st, true);
  set_depth_func(st, depth_func);
  bind_base(st, poly.light_texture);
  set_identity_texture_matrix();
  emit_light_map_quad(poly);
  set_mirrored_texture_matrix();
}

// An opaque polygon: a light-mapped quad whose light map is one darkness
// throughout in one pass with that darkness as its colour; another
// light-mapped quad in one pass through the shader when it can be had;
// otherwise its texture pass and then, if it has one, its light map's pass
// (depth `light_depth_func`, which lets it onto the polygon's own depth).
void draw_opaque_polygon(pass_state& st, world_pass_cache& cache, const bsp_polygon& poly,
                         const double eye[3], bool vertex_light_flag, bool shader_ok, GLenum depth_func,
                         GLenum light_depth_func) {
  bool light_map = !vertex_light_flag && polygon_has_light_map(poly);
  bool even = light_map && poly.vert_count == 4 && poly.light_uniform;
  bool atlas_light = light_map && light_atlas_holds(cache.atlas, poly);
  int32_t layer = cache.batch ? world_texture_array_layer(cache.array, poly.texture) : -1;
  if (layer >= 0 && (!light_map || even || atlas_light)) {
    set_blending(st, false);
    set_depth_func(st, depth_func);
    set_shading(st, cache.shader, shading_batch);
    bind_light(st, cache.atlas.texture);
    if (!vertex_light_flag) set_grey(st, even && !atlas_light ? light_map_scale(poly.light_darkness) : 1.0);
    emit_batched_polygon(poly, eye, vertex_light_flag, layer, cache.atlas, atlas_light);
    return;
  }
  bool one_pass = light_map && !even && shader_ok && poly.vert_count == 4;
  set_blending(st, false);
  set_depth_func(st, depth_func);
  set_shading(st, cache.shader, one_pass ? shading_light_map : shading_fixed);
  if (!vertex_light_flag) set_grey(st, even ? light_map_scale(poly.light_darkness) : 1.0);
  if (one_pass) bind_light(st, poly.light_texture);
  bind_base(st, poly.texture);
  emit_polygon(poly, eye, vertex_light_flag, one_pass);
  if (light_map && !one_pass && !even) emit_light_map_pass(st, poly, light_depth_func);
}

// A polygon whose texture may be see-through, exactly as the painter draws
// it, its texture pass under `depth_func` and its light map's pass under
// `light_depth_func`.
void draw_painted_polygon(pass_state& st, world_pass_cache& cache, const bsp_polygon& poly,
                          const double eye[3], bool vertex_light_flag, GLenum depth_func,
                          GLenum light_depth_func) {
  set_blending(st, true);
  set_depth_func(st, depth_func);
  set_shading(st, cache.shader, shading_fixed);
  if (!vertex_light_flag) set_grey(st, 1.0);
  bind_base(st, poly.texture);
  emit_polygon(poly, eye, vertex_light_flag, false);
  if (!vertex_light_flag && polygon_has_light_map(poly)) emit_light_map_pass(st, poly, light_depth_func);
}

// What the painter leaves behind it, for the sprites and the HUD.
void finish(pass_state& st, const world_shader& shader) {
  set_shading(st, shader, shading_fixed);
  set_blending(st, true);
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_TEXTURE_2D);
  set_mirrored_texture_matrix();
}

// The state every drawing routine starts from: unit 0 active with the
// mirrored texture matrix, the colour white when the light maps are on.
pass_state start(bool vertex_light_flag) {
  pass_state st;
  st.blending = glIsEnabled(GL_BLEND);
  st.alpha_test = glIsEnabled(GL_ALPHA_TEST);
  GLint func = GL_ALWAYS;
  glGetIntegerv(GL_DEPTH_FUNC, &func);
  st.depth_func = static_cast<GLenum>(func);
  glEnable(GL_TEXTURE_2D);
  set_mirrored_texture_matrix();
  if (!vertex_light_flag) glColor3d(1.0, 1.0, 1.0);
  return st;
}

// Whether the polygon's light map, drawn, could darken anything: not when
// it has none, or when it is one faint darkness throughout.
bool light_map_shows(const bsp_polygon& poly) {
  if (!polygon_has_light_map(poly)) return false;
  return !poly.light_uniform || poly.light_darkness > light_map_faint_darkness;
}

bool node_has_plane(const bsp_node& node) {
  return node.poly && node.poly->verts && node.poly->vert_count > 0;
}

// Gets the texture array and the light atlas ready for this frame's opaque
// polygons: the array follows the level's opaque textures; the atlas is
// made again for the whole level the first time one of its light-mapped
// quads comes into view unplaced (a new level, or a new context).
void prepare_batch(world_pass_cache& cache, bsp_node* root) {
  cache.batch = false;
  if (!world_shader_batch_ready(cache.shader)) return;
  cache.array_wanted.clear();
  for (const texture_opacity_entry& e : cache.opacity.frame)
    if (e.alpha == alpha_opaque) cache.array_wanted.push_back(e);
  if (cache.opacity.default_alpha == alpha_opaque)
    cache.array_wanted.push_back(
        texture_opacity_entry{cache.opacity.default_name, "", alpha_opaque, nullptr});
  world_texture_array_update(cache.array, cache.array_wanted);
  if (cache.array.texture == 0 || cache.array.names.empty()) return;
  bool rebuild = cache.atlas.texture == 0;
  for (size_t i = 0; i < cache.visible.size() && !rebuild; ++i) {
    const bsp_polygon& poly = *cache.visible[i];
    if (cache.opaque[i] && polygon_has_light_map(poly) && !light_atlas_placed(cache.atlas, poly))
      rebuild = true;
  }
  if (rebuild) light_atlas_rebuild(cache.atlas, root);
  cache.batch = cache.atlas.texture != 0;
}

}  // namespace

void world_pass_collect(world_pass_cache& cache, bsp_node* root, const double eye[3],
                        const texture_table& textures) {
  texture_opacity_refresh(cache.opacity, textures.world_textures, textures.slots[tex_default_world],
                          textures.default_world_image);
  view_frustum frustum = view_frustum_from_gl();
  cache.visible.clear();
  cache.opaque.clear();
  cache.counts = world_pass_counts{};
  cache.deepest = 0.0;
  cache.stack.clear();
  const bool use_vis = world_vis_update(cache.vis, root, eye);
  cache.vis_used = use_vis;
  if (root) cache.stack.push_back(world_pass_step{root, false, 0});
  // The painter's walk, with an explicit stack: back subtree, polygon,
  // front subtree when the eye is in front of the plane, else front then
  // back without the polygon. With visible sets, a subtree holding no leaf
  // the eye's leaf sees is passed by, and a polygon is drawn only when its
  // front subtree holds one: whatever the eye sees of it, it sees from a
  // leaf in front of it.
  while (!cache.stack.empty()) {
    world_pass_step step = cache.stack.back();
    cache.stack.pop_back();
    const bsp_node* node = step.node;
    if (step.emit) {
      if (use_vis && !cache.vis.seen[step.index + 1]) {
        cache.counts.hidden += 1;
        continue;
      }
      const bsp_polygon& poly = *node->poly;
      cache.counts.facing += 1;
      if (!view_frustum_touches(frustum, poly.verts, poly.vert_count)) continue;
      cache.counts.in_view += 1;
      texture_alpha alpha = texture_opacity_alpha(cache.opacity, poly.texture);
      bool opaque = alpha == alpha_opaque;
      cache.counts.see_through += opaque ? 0 : 1;
      if (alpha == alpha_invisible && !light_map_shows(poly)) {
        cache.counts.invisible += 1;
        continue;
      }
      cache.visible.push_back(&poly);
      cache.opaque.push_back(opaque ? 1 : 0);
      double depth = view_frustum_max_depth(frustum, poly.verts, poly.vert_count);
      if (depth > cache.deepest) cache.deepest = depth;
      continue;
    }
    if (!node || node->is_leaf) continue;
    if (use_vis && !cache.vis.seen[step.index]) continue;
    const int32_t front_index = use_vis ? step.index + 1 : 0;
    const int32_t back_index =
        use_vis && node->front ? front_index + cache.vis.subtree_size[front_index] : front_index;
    const world_pass_step front{node->front, false, front_index}, back{node->back, false, back_index};
    if (!node_has_plane(*node)) {
      if (node->back) cache.stack.push_back(back);
      if (node->front) cache.stack.push_back(front);
      continue;
    }
    const bsp_polygon& poly = *node->poly;
    const map_vertex& p = poly.verts[0];
    double d =
        (p.x - eye[0]) * poly.normal[0] + (p.y - eye[1]) * poly.normal[1] + (p.z - eye[2]) * poly.normal[2];
    if (d < 0.0) {
      if (node->front) cache.stack.push_back(front);
      cache.stack.push_back(world_pass_step{node, true, step.index});
      if (node->back) cache.stack.push_back(back);
    } else {
      if (node->back) cache.stack.push_back(back);
      if (node->front) cache.stack.push_back(front);
    }
  }
  prepare_batch(cache, root);
}

void world_pass_forget_context(world_pass_cache& cache) {
  world_shader_forget_context(cache.shader);
  world_texture_array_forget_context(cache.array);
  light_atlas_forget_context(cache.atlas);
  cache.batch = false;
}

double world_pass_far_depth_limit(double near_plane, double far_plane, int depth_bits) {
  if (!(near_plane > 0.0) || !(far_plane > near_plane)) return 0.0;
  if (depth_bits < 1 || depth_bits > 32) depth_bits = 32;
  // Four steps of the buffer below the far plane's value, and never less
  // than single precision can tell apart from 1.
  double steps = 4.0 / (std::ldexp(1.0, depth_bits) - 1.0);
  if (steps < 4e-7) steps = 4e-7;
  double z = (1.0 - steps) * (far_plane - near_plane) / far_plane;
  return near_plane / (1.0 - z);
}

bool world_pass_nearest_first_safe(const world_pass_cache& cache, double far_limit) {
  return cache.visible.empty() || cache.deepest < far_limit;
}

void world_pass_draw_opaque(world_pass_cache& cache, const double eye[3], bool vertex_light_flag) {
  bool shader_ok = !vertex_light_flag && world_shader_ready(cache.shader);
  pass_state st = start(vertex_light_flag);
  glDepthMask(GL_TRUE);
  if (cache.batch) glBindTexture(GL_TEXTURE_2D_ARRAY, cache.array.texture);
  for (size_t i = cache.visible.size(); i-- > 0;) {
    if (!cache.opaque[i]) continue;
    draw_opaque_polygon(st, cache, *cache.visible[i], eye, vertex_light_flag, shader_ok, GL_LESS, GL_LEQUAL);
  }
  if (cache.batch) glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
  finish(st, cache.shader);
}

void world_pass_draw_see_through(world_pass_cache& cache, const double eye[3], bool vertex_light_flag) {
  pass_state st = start(vertex_light_flag);
  for (size_t i = 0; i < cache.visible.size(); ++i) {
    if (cache.opaque[i]) continue;
    draw_painted_polygon(st, cache, *cache.visible[i], eye, vertex_light_flag, GL_LESS, GL_LEQUAL);
  }
  finish(st, cache.shader);
}

void world_pass_draw_painter(world_pass_cache& cache, const double eye[3], bool vertex_light_flag) {
  bool shader_ok = !vertex_light_flag && world_shader_ready(cache.shader);
  pass_state st = start(vertex_light_flag);
  if (cache.batch) glBindTexture(GL_TEXTURE_2D_ARRAY, cache.array.texture);
  for (size_t i = 0; i < cache.visible.size(); ++i) {
    const bsp_polygon& poly = *cache.visible[i];
    if (cache.opaque[i])
      draw_opaque_polygon(st, cache, poly, eye, vertex_light_flag, shader_ok, GL_ALWAYS, GL_ALWAYS);
    else
      draw_painted_polygon(st, cache, poly, eye, vertex_light_flag, GL_ALWAYS, GL_ALWAYS);
  }
  if (cache.batch) glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
  finish(st, cache.shader);
}
