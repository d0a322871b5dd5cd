// One frame of the running game: sky, world, sprites, overlays, hit
// markers, HUD and the death fade.
#include "render/render_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "app/game_state.h"
#include "render/debug_overlays.h"
#include "render/draw_2d.h"
#include "render/draw_entities.h"
#include "render/frame_rules.h"
#include "render/hit_markers.h"
#include "render/hud.h"
#include "render/sky.h"
#include "world/world_draw.h"

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

// The 3-D pass: the sky, the world in tree order, then what is depth-tested
// against it, then the hit markers over everything.
void draw_scene(game_state& gs, const double eye[3]) {
  const player& p = gs.the_player;
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  draw_sky(p.yaw, p.pitch, gs.textures.slots[tex_sky], sky_half_size);
  push_camera(p, eye);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  if (gs.bsp_root) world_draw(gs.bsp_root, eye, gs.renderer.vertex_light_flag);
  // The world leaves v mirrored for its own coordinates and, with vertex
  // lighting, the colour of its last vertex; the sprites and the HUD give
  // plain image coordinates and expect white.
  set_identity_texture_matrix();
  glColor3d(1.0, 1.0, 1.0);
  glDepthFunc(GL_LESS);
  draw_entities(gs.entity_list, p, gs.textures);
  draw_overlays(gs);
  glDisable(GL_DEPTH_TEST);
  draw_hit_markers(p, gs.textures.slots[tex_blood]);
  glPopMatrix();
}

// The 2-D pass in the screen square: the HUD, then the red fade of death.
void draw_screen_layer(const game_state& gs) {
  const player& p = gs.the_player;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw_hud(gs.video.fps_value, gs.textures, gs.the_console, p);
  if (p.health <= 0) draw_color_quad(-1.0, -1.0, 2.0, 2.0, 1.0, 0.0, 0.0, death_fade_alpha(p.death_timer));
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
  if (!game_projection_in_force()) {
    set_game_projection(gs.video, p.zoom_flag);
    set_identity_texture_matrix();
  }
  double eye[3];
  eye_position(p, eye);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_scene(gs, eye);
  draw_screen_layer(gs);
  glDisable(GL_ALPHA_TEST);
  set_game_projection(gs.video, p.zoom_flag);
}
