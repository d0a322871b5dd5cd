// Small GL scenes for the drawing tests.
#include "tests/render/gl_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <vector>

#include "app/game_state.h"
#include "app/window.h"
#include "base/entity.h"
#include "entities/entity_list_free.h"
#include "player/player.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"

uint32_t make_texture(int w, int h, const uint8_t* pixels) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return name;
}

uint32_t solid_texture(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  uint8_t px[16];
  for (int i = 0; i < 4; ++i) {
    px[i * 4] = r;
    px[i * 4 + 1] = g;
    px[i * 4 + 2] = b;
    px[i * 4 + 3] = a;
  }
  return make_texture(2, 2, px);
}

void reset_scene() {
  glViewport(0, 0, scene_size, scene_size);
  set_gl_blend_state();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glColor3d(1, 1, 1);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void look_down_minus_z(double far_plane) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, 1.0, 0.1, far_plane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

rgba read_pixel(int x, int y) {
  uint8_t px[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
  return rgba{px[0], px[1], px[2], px[3]};
}

game_state* new_test_game() {
  game_state* gs = new game_state{};
  set_config_defaults(gs->config);
  gs->video.width = scene_size;
  gs->video.height = scene_size;
  gs->video.fov = 60;
  gs->video.render_distance = 500;
  gs->the_player.health = 100;
  gs->the_player.current_gun = 4;
  gs->entity_list = entity_list_new_head();
  return gs;
}

void free_test_game(game_state* gs) {
  entity_list_free(gs->entity_list);
  bsp_free(gs->bsp_root);
  delete gs;
}

bsp_node* square_node(double cx, double cy, double half, double z, uint32_t texture) {
  bsp_polygon* poly = new bsp_polygon{};
  poly->verts = new map_vertex[4]();
  // Counter-clockwise seen from +z; u, v over the whole image.
  poly->verts[0] = map_vertex{cx - half, cy - half, z, 0, 0};
  poly->verts[1] = map_vertex{cx + half, cy - half, z, 1, 0};
  poly->verts[2] = map_vertex{cx + half, cy + half, z, 1, 1};
  poly->verts[3] = map_vertex{cx - half, cy + half, z, 0, 1};
  poly->vert_count = 4;
  poly->normal[2] = 1.0;
  poly->texture = texture;
  bsp_node* node = new bsp_node{};
  node->poly = poly;
  return node;
}

void give_light_map(bsp_node* node, int rows, int cols, uint8_t darkness) {
  uint8_t* px = new uint8_t[rows * cols * 4]();
  for (int i = 0; i < rows * cols; ++i) px[i * 4 + 3] = darkness;
  node->poly->light_texture = make_texture(cols, rows, px);
  node->poly->light_rows = rows;
  node->poly->light_cols = cols;
  delete[] px;
}

bool save_ppm(const char* path, int w, int h) {
  std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  FILE* f = fopen(path, "wb");
  if (!f) return false;
  fprintf(f, "P6\n%d %d\n255\n", w, h);
  for (int row = h - 1; row >= 0; --row) fwrite(px.data() + static_cast<size_t>(row) * w * 3, 1, w * 3, f);
  return fclose(f) == 0;
}
