// One frame of the running game: sky, world, sprites, overlays, hit
// markers, HUD and the death fade.
#include "render/render_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/game_state.h"
#include "config/config_table.h"
#include "entities/entity.h"
#include "render/debug_overlays.h"
#include "render/draw_2d.h"
#include "render/draw_entities.h"
#include "render/frame_rules.h"
#include "render/hit_markers.h"
#include "render/hud.h"
#include "render/hud_feedback.h"
#include "render/screen_square.h"
#include "render/sky.h"
#include "render/sprite_tables.h"
#include "world/world_draw.h"
#include "world/world_pass.h"

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
void draw_overlays(game_state& gs) {
  for (const config_var& var : gs.config.vars) {
    int32_t value = var.value.as_int;
    if (strcmp(var.name, "dbg_draw_aigraph") == 0) {
      if (value != 0) draw_nav_graph(gs.ai_node_list);
    } else if (strcmp(var.name, "dbg_draw_aimvec") == 0) {
      if (value != 0) draw_player_aim(gs.the_player);
    } else if (strcmp(var.name, "dbg_draw_e_aimvec") == 0) {
      if (value != 0) draw_enemy_aim(gs.entity_list);
    } else if (strcmp(var.name, "vid_vertex_light") == 0) {
      gs.renderer.vertex_light_flag = value != 0;
    }
  }
}

// The camera's near plane, as the projection gives it.
constexpr double near_plane = static_cast<double>(0.1f);

// Whether TARVO_RENDERER=legacy asks for the plain drawing.
bool legacy_wanted_by_environment() {
  static const bool wanted = [] {
    const char* choice = getenv("TARVO_RENDERER");
    return choice && strcmp(choice, "legacy") == 0;
  }();
  return wanted;
}

// Whether anything depth-tested after the world could lie beyond the sky's
// own depth: a debug overlay (its lines reach anywhere), or a sprite
// outside the sky cube (half size 150 around the eye, open below). Only
// then does the depth the sky writes matter to the picture.
bool sky_depth_matters(const game_state& gs, const double eye[3]) {
  for (const config_var& var : gs.config.vars) {
    if (var.value.as_int == 0) continue;
    if (strcmp(var.name, "dbg_draw_aigraph") == 0 || strcmp(var.name, "dbg_draw_aimvec") == 0 ||
        strcmp(var.name, "dbg_draw_e_aimvec") == 0)
      return true;
  }
  const world_pass_cache& cache = gs.renderer.world_pass;
  for (const entity* e = gs.entity_list; e; e = e->next) {
    // A sprite the visible sets hide is drawn nowhere (draw_entities).
    double lo[3], hi[3];
    if (cache.vis_used && entity_sprite_box(*e, lo, hi) && !world_vis_box_seen(cache.vis, gs.bsp_root, lo, hi))
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
void draw_world_painted(game_state& gs, const double eye[3]) {
  const player& p = gs.the_player;
  glDepthFunc(GL_ALWAYS);
  draw_sky(p.yaw, p.pitch, gs.textures.slots[tex_sky], sky_half_size);
  push_camera(p, eye);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  if (gs.bsp_root) world_draw(gs.bsp_root, eye, gs.renderer.vertex_light_flag);
}

// The same picture with less work (world/world_pass.h): the opaque world
// nearest first, the sky behind it, then what can be seen through; or,
// when the sky's depth or the far plane's could show, the same polygons
// back to front over the sky.
void draw_world_fast(game_state& gs, const double eye[3]) {
  const player& p = gs.the_player;
  world_pass_cache& cache = gs.renderer.world_pass;
  bool vertex_light = gs.renderer.vertex_light_flag;
  push_camera(p, eye);
  world_pass_collect(cache, gs.bsp_root, eye, gs.textures);
  GLint depth_bits = 16;
  glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
  double far_limit = world_pass_far_depth_limit(near_plane, gs.video.render_distance, depth_bits);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  if (world_pass_nearest_first_safe(cache, far_limit) && !sky_depth_matters(gs, eye)) {
    world_pass_draw_opaque(cache, eye, vertex_light);
    glPopMatrix();
    draw_sky_behind(p, gs.textures.slots[tex_sky]);
    push_camera(p, eye);
    world_pass_draw_see_through(cache, eye, vertex_light);
    return;
  }
  glPopMatrix();
  glDisable(GL_ALPHA_TEST);
  glDepthFunc(GL_ALWAYS);
  set_identity_texture_matrix();
  draw_sky(p.yaw, p.pitch, gs.textures.slots[tex_sky], sky_half_size);
  push_camera(p, eye);
  glEnable(GL_ALPHA_TEST);
  world_pass_draw_painter(cache, eye, vertex_light);
}

// The 3-D pass: the sky and the world, then what is depth-tested against
// them, then the hit markers over everything.
void draw_scene(game_state& gs, const double eye[3]) {
  const player& p = gs.the_player;
  glEnable(GL_DEPTH_TEST);
  if (gs.renderer.legacy_renderer || legacy_wanted_by_environment())
    draw_world_painted(gs, eye);
  else
    draw_world_fast(gs, eye);
  // The world leaves v mirrored for its own coordinates and, with vertex
  // lighting, the colour of its last vertex; the sprites and the HUD give
  // plain image coordinates and expect white.
  set_identity_texture_matrix();
  glColor3d(1.0, 1.0, 1.0);
  glDepthFunc(GL_LESS);
  const bool legacy = gs.renderer.legacy_renderer || legacy_wanted_by_environment();
  const world_pass_cache& cache = gs.renderer.world_pass;
  draw_entities(gs.entity_list, p, gs.textures, !legacy && cache.vis_used ? &cache.vis : nullptr, gs.bsp_root);
  draw_overlays(gs);
  glDisable(GL_DEPTH_TEST);
  draw_hit_markers(p, gs.textures.slots[tex_blood]);
  glPopMatrix();
}

// Whether a HUD variable is on (any value but 0; on when the table lacks it).
bool hud_switch(const config_table& config, const char* name) {
  const config_var* var = config_find(config, name);
  return !var || var->value.as_int != 0;
}

// The 2-D pass in the screen square: the HUD, then the red fade of death,
// or for the living the crosshair and the flash of a hurt.
void draw_screen_layer(game_state& gs) {
  const player& p = gs.the_player;
  const screen_extent e = set_screen_projection();
  bool whole_images = gs.renderer.legacy_renderer || legacy_wanted_by_environment();
  draw_hud(gs.video.fps_value, gs.textures, gs.the_console, p,
           whole_images ? nullptr : &gs.renderer.hud_images);
  if (p.health <= 0) {
    draw_color_quad(-e.half_width, -e.half_height, 2.0 * e.half_width, 2.0 * e.half_height, 1.0, 0.0, 0.0,
                    death_fade_alpha(p.death_timer));
    return;
  }
  // The crosshair sits under the console's panel edge while it is open and
  // would hide what the scope frames, so it waits for both to go.
  if (hud_switch(gs.config, "hud_crosshair") && !p.zoom_flag && !gs.the_console.console_open)
    draw_crosshair(crosshair_height(p, gs.bsp_root, view_fov(p.zoom_flag, gs.video.fov)), gs.video.width,
                   gs.video.height);
  const double hurt = hurt_flash_alpha(gs.renderer.hurt);
  if (hurt > 0.0 && hud_switch(gs.config, "hud_hurt_flash"))
    draw_color_quad(-e.half_width, -e.half_height, 2.0 * e.half_width, 2.0 * e.half_height, 1.0, 0.0, 0.0, hurt);
}

}  // namespace

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

void render_frame(game_state& gs) {
  const player& p = gs.the_player;
  // The projection is set at the end of each game frame for the next one;
  // the first frame after a 2-D screen finds the screen's instead.
  const bool after_screen = !game_projection_in_force();
  if (after_screen) {
    set_game_projection(gs.video, p.zoom_flag);
    set_identity_texture_matrix();
  }
  hurt_flash_update(gs.renderer.hurt, p, gs.video.tick_step, after_screen);
  double eye[3];
  eye_position(p, eye);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_scene(gs, eye);
  draw_screen_layer(gs);
  glDisable(GL_ALPHA_TEST);
  set_game_projection(gs.video, p.zoom_flag);
}
