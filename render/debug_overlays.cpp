// Debug drawings inside the 3-D scene: the navigation graph, the player's
// aim and the enemies' last shots.
#include "render/debug_overlays.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "player/player.h"
#include "world/ai_node.h"

namespace {

constexpr double degrees_to_radians = 0.017453292519943295;
constexpr double marker_half = 0.08;

// The points at which the enemies test a link for a gap in the floor:
// halving the segment, then its halves, then its quarters.
constexpr double gap_test_fractions[7] = {0.5, 0.25, 0.75, 0.125, 0.375, 0.875, 0.625};

// A ribbon joining two points, twisted so it shows from every side.
void ribbon(double ax, double ay, double az, double bx, double by, double bz) {
  glVertex3d(ax + marker_half, ay, az + marker_half);
  glVertex3d(ax - marker_half, ay, az - marker_half);
  glVertex3d(bx + marker_half, by, bz + marker_half);
  glVertex3d(bx - marker_half, by, bz - marker_half);
}

// A square of side 0.16 around (x, y, z) facing along z.
void square_marker(double x, double y, double z) {
  glVertex3d(x + marker_half, y + marker_half, z);
  glVertex3d(x + marker_half, y - marker_half, z);
  glVertex3d(x - marker_half, y - marker_half, z);
  glVertex3d(x - marker_half, y + marker_half, z);
}

void draw_link(const ai_node& n, const ai_node& m) {
  glColor3d(1.0, 1.0, 1.0);
  ribbon(n.x, n.y, n.z, m.x, m.y, m.z);
  glColor3d(1.0, 0.0, 0.0);
  for (double s : gap_test_fractions)
    square_marker(n.x + s * (m.x - n.x), n.y + s * (m.y - n.y), n.z + s * (m.z - n.z));
}

}  // namespace

void player_aim_point(const player& p, double point[3]) {
  double a = (p.yaw - 180.0) * degrees_to_radians;
  double e = p.pitch * degrees_to_radians;
  point[0] = p.pos[0] + 0.5 * std::sin(a) * std::cos(e);
  point[1] = p.pos[1] + 2.25 + 0.5 * std::sin(e);
  point[2] = p.pos[2] + 0.5 * std::cos(a) * std::cos(e);
}

void draw_nav_graph(const ai_node* first) {
  for (const ai_node* n = first; n; n = n->next) {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    // Links that no node answers to were left null by the linking; they
    // have nothing to join.
    for (int32_t k = 0; n->links && k < n->link_count; ++k) {
      if (n->links[k]) draw_link(*n, *n->links[k]);
    }
    glEnd();
    glColor3d(1.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);
  }
}

void draw_player_aim(const player& p) {
  double a = (p.yaw - 180.0) * degrees_to_radians;
  double e = p.pitch * degrees_to_radians;
  printf("%f %f\n", a, e);
  double point[3];
  player_aim_point(p, point);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glColor3d(0.0, 0.0, 1.0);
  square_marker(point[0], point[1], point[2]);
  glEnd();
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_TEXTURE_2D);
}

void draw_enemy_aim(const entity* first) {
  for (const entity* e = first; e; e = e->next) {
    if (e->state != s_fire) continue;
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    ribbon(e->pos[0], e->pos[1], e->pos[2], e->aim_end[0], e->aim_end[1], e->aim_end[2]);
    glEnd();
    glColor3d(1.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);
  }
}
