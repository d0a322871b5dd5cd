// One frame of the running game: sky, world, sprites, overlays, hit
// markers, HUD and the death fade.
#include "render/render_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/entity.h"
#include "base/texture_table.h"
#include "config/config_table.h"
#include "config/console.h"
#include "config/video_settings.h"
#include "player/player.h"
#include "render/debug_overlays.h"
#include "render/draw_2d.h"
#include "render/draw_entities.h"
#include "render/frame_rules.h"
#include "render/hit_markers.h"
#include "render/hud.h"
#include "render/hud_feedback.h"
#include "render/render_state.h"
#include "render/screen_square.h"
#include "render/sky.h"
#include "render/sprite_tables.h"
#include "world_draw/world_draw.h"
#include "world_draw/world_pass.h"

namespace {

constexpr double sky_half_size = 150.0;

void set_identity_texture_matrix() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

// The camera: the view's pitch, then its yaw, then the eye moved to the
// origin. The caller restores the matrix.
void push_camera(const player& p, const double eye[3]) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glRotated(-p.pitch, 1.0, 0.0, 0.0);
  glRotated(-p.yaw, 0.0, 1.0, 0.0);
  glTranslated(-eye[0], -eye[1], -eye[2]);
}

// The debug overlays the variables switch on, in the order of the table;
// the vertex-lighting variable is taken up here for the next frame.
int32_t config_int(const frame_scene& scene, config_index index) {
  return config_at(scene.config, index).value.as_int;
}

void draw_overlays(const frame_scene& scene) {
  if (config_int(scene, cfg_dbg_draw_aigraph) != 0) draw_nav_graph(scene.ai_node_list);
  if (config_int(scene, cfg_dbg_draw_aimvec) != 0) draw_player_aim(scene.the_player);
  if (config_int(scene, cfg_dbg_draw_e_aimvec) != 0) draw_enemy_aim(scene.entity_list);
  scene.renderer.vertex_light_flag = config_int(scene, cfg_vid_vertex_light) != 0;
}

// The camera's near plane, as the projection gives it.
constexpr double near_plane = static_cast<double>(0.1f);

// Whether anything depth-tested after the world could lie beyond the sky's
// own depth: a debug overlay (its lines reach anywhere), or a sprite
// outside the sky cube (half size 150 around the eye, open below). Only
// then does the depth the sky writes matter to the picture.
bool sky_depth_matters(const frame_scene& scene, const double eye[3]) {
  if (config_int(scene, cfg_dbg_draw_aigraph) != 0 || config_int(scene, cfg_dbg_draw_aimvec) != 0 ||
      config_int(scene, cfg_dbg_draw_e_aimvec) != 0)
    return true;
  const world_pass_cache& cache = scene.renderer.world_pass;
  for (const entity* e = scene.entity_list; e; e = e->next) {
    // A sprite the visible sets hide is drawn nowhere (draw_entities).
    double lo[3], hi[3];
    if (cache.vis_used && entity_sprite_box(*e, lo, hi) &&
        !world_vis_box_seen(cache.vis, scene.bsp_root, lo, hi))
      continue;
    billboard_sprite still;
    animated_sprite sheet;
    double reach = 0.0;
    if (find_billboard_sprite(e->type, &still))
      reach = std::fmax(still.half_width, still.half_height);
    else if (find_animated_sprite(e->type, &sheet))
      reach = std::fmax(sheet.half_width, sheet.height);
    else
      continue;
    double margin = sky_half_size - reach - 1.0;
    if (std::fabs(e->pos[0] - eye[0]) > margin || std::fabs(e->pos[2] - eye[2]) > margin ||
        e->pos[1] - eye[1] > margin)
      return true;
  }
  return false;
}

// The sky into the pixels the opaque world left empty: at the far plane's
// depth with the test "less or equal" it passes only where nothing was
// drawn. It leaves the depth buffer as it is.
void draw_sky_behind(const player& p, uint32_t sky_texture) {
  set_identity_texture_matrix();
  glDisable(GL_ALPHA_TEST);
  glDepthRange(1.0, 1.0);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
  draw_sky(p.yaw, p.pitch, sky_texture, sky_half_size);
  glDepthMask(GL_TRUE);
  glDepthRange(0.0, 1.0);
  glEnable(GL_ALPHA_TEST);
}

// The world as the tree orders it, back to front over the sky, each
// light-mapped polygon drawn twice: the plain drawing.
void draw_world_painted(const frame_scene& scene, const double eye[3]) {
  const player& p = scene.the_player;
  glDepthFunc(GL_ALWAYS);
  draw_sky(p.yaw, p.pitch, scene.textures.slots[tex_sky], sky_half_size);
  push_camera(p, eye);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  if (scene.bsp_root) world_draw(scene.bsp_root, eye, scene.renderer.vertex_light_flag);
}

// The same picture with less work (world/world_pass.h): the opaque world
// nearest first, the sky behind it, then what can be seen through; or,
// when the sky's depth or the far plane's could show, the same polygons
// back to front over the sky.
void draw_world_fast(const frame_scene& scene, const double eye[3]) {
  const player& p = scene.the_player;
  world_pass_cache& cache = scene.renderer.world_pass;
  bool vertex_light = scene.renderer.vertex_light_flag;
  push_camera(p, eye);
  world_pass_collect(cache, scene.bsp_root, eye, scene.textures);
  GLint depth_bits = 16;
  glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
  double far_limit = world_pass_far_depth_limit(near_plane, scene.video.render_distance, depth_bits);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  if (world_pass_nearest_first_safe(cache, far_limit) && !sky_depth_matters(scene, eye)) {
    world_pass_draw_opaque(cache, eye, vertex_light);
    glPopMatrix();
    draw_sky_behind(p, scene.textures.slots[tex_sky]);
    push_camera(p, eye);
    world_pass_draw_see_through(cache, eye, vertex_light);
    return;
  }
  glPopMatrix();
  glDisable(GL_ALPHA_TEST);
  glDepthFunc(GL_ALWAYS);
  set_identity_texture_matrix();
  draw_sky(p.yaw, p.pitch, scene.textures.slots[tex_sky], sky_half_size);
  push_camera(p, eye);
  glEnable(GL_ALPHA_TEST);
  world_pass_draw_painter(cache, eye, vertex_light);
}

// The 3-D pass: the sky and the world, then what is depth-tested against
// them, then the hit markers over everything.
void draw_scene(const frame_scene& scene, const double eye[3]) {
  const player& p = scene.the_player;
  glEnable(GL_DEPTH_TEST);
  if (scene.renderer.legacy_renderer)
    draw_world_painted(scene, eye);
  else
    draw_world_fast(scene, eye);
  // The world leaves v mirrored for its own coordinates and, with vertex
  // lighting, the colour of its last vertex; the sprites and the HUD give
  // plain image coordinates and expect white.
  set_identity_texture_matrix();
  glColor3d(1.0, 1.0, 1.0);
  glDepthFunc(GL_LESS);
  const bool legacy = scene.renderer.legacy_renderer;
  const world_pass_cache& cache = scene.renderer.world_pass;
  draw_entities(scene.entity_list, p, scene.textures, !legacy && cache.vis_used ? &cache.vis : nullptr,
                scene.bsp_root);
  draw_overlays(scene);
  glDisable(GL_DEPTH_TEST);
  draw_hit_markers(p, scene.textures.slots[tex_blood]);
  glPopMatrix();
}

// The 2-D pass in the screen square: the HUD, then the red fade of death,
// or for the living the crosshair and the flash of a hurt.
void draw_screen_layer(const frame_scene& scene) {
  const player& p = scene.the_player;
  const screen_extent e = set_screen_projection();
  bool whole_images = scene.renderer.legacy_renderer;
  draw_hud(scene.video.fps_value, scene.textures, scene.the_console, p,
           whole_images ? nullptr : &scene.renderer.hud_images);
  if (p.health <= 0) {
    draw_color_quad(-e.half_width, -e.half_height, 2.0 * e.half_width, 2.0 * e.half_height, 1.0, 0.0, 0.0,
                    death_fade_alpha(p.death_timer));
    return;
  }
  // The crosshair sits under the console's panel edge while it is open and
  // would hide what the scope frames, so it waits for both to go.
  if (config_int(scene, cfg_hud_crosshair) != 0 && !p.zoom_flag && !scene.the_console.console_open)
    draw_crosshair(crosshair_height(p, scene.bsp_root, view_fov(p.zoom_flag, scene.video.fov)),
                   scene.video.width, scene.video.height);
  const double hurt = hurt_flash_alpha(scene.renderer.hurt);
  if (hurt > 0.0 && config_int(scene, cfg_hud_hurt_flash) != 0)
    draw_color_quad(-e.half_width, -e.half_height, 2.0 * e.half_width, 2.0 * e.half_height, 1.0, 0.0, 0.0,
                    hurt);
}

}  // namespace

bool legacy_renderer_chosen() {
  const char* choice = getenv("TARVO_RENDERER");
  return choice && strcmp(choice, "legacy") == 0;
}

bool game_projection_in_force() {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  return m[11] == -1.0 && m[15] == 0.0;
}

void set_game_projection(const video_settings& video, uint8_t zoom_flag) {
  double aspect = video.height != 0 ? static_cast<double>(video.width) / video.height : 1.0;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(view_fov(zoom_flag, video.fov), aspect, static_cast<double>(0.1f),
                 static_cast<double>(video.render_distance));
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void render_frame(const frame_scene& scene) {
  const player& p = scene.the_player;
  // The projection is set at the end of each game frame for the next one;
  // the first frame after a 2-D screen finds the screen's instead.
  const bool after_screen = !game_projection_in_force();
  if (after_screen) {
    set_game_projection(scene.video, p.zoom_flag);
    set_identity_texture_matrix();
  }
  hurt_flash_update(scene.renderer.hurt, p, scene.video.tick_step, after_screen);
  double eye[3];
  eye_position(p, eye);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_scene(scene, eye);
  draw_screen_layer(scene);
  glDisable(GL_ALPHA_TEST);
  set_game_projection(scene.video, p.zoom_flag);
}
