// Drawing the level's BSP tree back to front, textured and light-mapped.
#include "world_draw/world_draw.h"

#include <GL/gl.h>

#include <cmath>

#include "world/bsp_node.h"

namespace {

// The texture matrix the world's texture coordinates are made for: v runs
// the other way from the image rows.
void set_mirrored_texture_matrix() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScaled(1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
}

// The textured pass, and the vertex colours when vertex lighting is on.
void draw_textured(const bsp_polygon& poly, const double eye[3], bool vertex_light_flag) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, poly.texture);
  set_mirrored_texture_matrix();
  glBegin(GL_POLYGON);
  for (int i = 0; i < poly.vert_count; ++i) {
    const map_vertex& v = poly.verts[i];
    if (vertex_light_flag) set_vertex_light_colour(v, eye);
    glTexCoord2d(v.u, v.v);
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

// The light map over the first four corners: black texels whose alpha is
// the darkness, blended over the texture drawn just before.
void draw_light_map(const bsp_polygon& poly) {
  glBindTexture(GL_TEXTURE_2D, poly.light_texture);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  emit_light_map_quad(poly);
}

// A node's polygon can only split space when it has a point to put the
// plane through.
bool has_plane(const bsp_node& node) { return node.poly && node.poly->verts && node.poly->vert_count > 0; }

}  // namespace

double vertex_light_grey(const map_vertex& vertex, const double eye[3]) {
  if (vertex.y < -100.0) return 0.0;
  double dx = vertex.x - eye[0];
  double dy = vertex.y - eye[1];
  double dz = vertex.z - eye[2];
  double dist = std::sqrt(dx * dx + dy * dy + dz * dz);
  return 1.0 - dist / 100.0 + 0.1;
}

void set_vertex_light_colour(const map_vertex& vertex, const double eye[3]) {
  double g = vertex_light_grey(vertex, eye);
  glColor3d(g, g, g);
}

void emit_light_map_quad(const bsp_polygon& poly) {
  glBegin(GL_POLYGON);
  for (int i = 0; i < 4; ++i) {
    double s, t;
    light_map_coord(i, poly.light_rows, poly.light_cols, &s, &t);
    const map_vertex& v = poly.verts[i];
    glTexCoord2d(s, t);
    glVertex3d(v.x, v.y, v.z);
  }
  glEnd();
}

void light_map_coord(int corner, int rows, int cols, double* s, double* t) {
  double near_s = 1.0 / cols;
  double near_t = 1.0 / rows;
  switch (corner) {
    case 0:
      *s = near_s;
      *t = near_t;
      break;
    case 1:
      *s = near_s;
      *t = 1.0 - near_t;
      break;
    case 2:
      *s = 1.0 - near_s;
      *t = 1.0 - near_t;
      break;
    default:
      *s = 1.0 - near_s;
      *t = near_t;
      break;
  }
}

bool polygon_has_light_map(const bsp_polygon& poly) {
  return poly.light_texture != 0 && poly.light_rows > 0 && poly.light_cols > 0 && poly.vert_count >= 4;
}

void world_draw(const bsp_node* node, const double eye[3], bool vertex_light_flag) {
  if (!node || node->is_leaf) return;
  if (!has_plane(*node)) {
    // A node without a usable polygon has no side to choose; its subtrees
    // are still part of the level.
    world_draw(node->front, eye, vertex_light_flag);
    world_draw(node->back, eye, vertex_light_flag);
    return;
  }
  const bsp_polygon& poly = *node->poly;
  const map_vertex& p = poly.verts[0];
  double d =
      (p.x - eye[0]) * poly.normal[0] + (p.y - eye[1]) * poly.normal[1] + (p.z - eye[2]) * poly.normal[2];
  if (d < 0.0) {
    world_draw(node->back, eye, vertex_light_flag);
    world_draw_polygon(poly, eye, vertex_light_flag);
    world_draw(node->front, eye, vertex_light_flag);
  } else {
    // The eye is behind the plane (or on it): the polygon faces away.
    world_draw(node->front, eye, vertex_light_flag);
    world_draw(node->back, eye, vertex_light_flag);
  }
}

void world_draw_polygon(const bsp_polygon& poly, const double eye[3], bool vertex_light_flag) {
  if (!poly.verts || poly.vert_count <= 0) return;
  draw_textured(poly, eye, vertex_light_flag);
  // Vertex lighting replaces the light map; the last vertex colour stays
  // until the next polygon sets its own.
  if (vertex_light_flag) return;
  if (polygon_has_light_map(poly)) draw_light_map(poly);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_TEXTURE_2D);
  set_mirrored_texture_matrix();
}
