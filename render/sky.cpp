// The sky: five faces of a cube around the eye, turned with the view only.
#include "render/sky.h"

#include <GL/gl.h>

namespace {

// One corner of a face: position in units of the half size, then the
// image coordinates it shows.
struct sky_corner {
  float x, y, z;
  float u, v;
};

// The five faces, four corners each in drawing order. On the side faces u
// runs down the face and v across it.
constexpr sky_corner sky_faces[5][4] = {
    {{1, 1, 1, 0, 1}, {1, -1, 1, 1, 1}, {-1, -1, 1, 1, 0}, {-1, 1, 1, 0, 0}},      // z = +h
    {{1, 1, 1, 0, 0}, {1, 1, -1, 0, 1}, {1, -1, -1, 1, 1}, {1, -1, 1, 1, 0}},      // x = +h
    {{-1, -1, 1, 1, 1}, {-1, -1, -1, 1, 0}, {-1, 1, -1, 0, 0}, {-1, 1, 1, 0, 1}},  // x = -h
    {{1, 1, -1, 0, 0}, {1, -1, -1, 1, 0}, {-1, -1, -1, 1, 1}, {-1, 1, -1, 0, 1}},  // z = -h
    {{1, 1, 1, 1, 0}, {1, 1, -1, 0, 0}, {-1, 1, -1, 0, 1}, {-1, 1, 1, 1, 1}},      // top
};

}  // namespace

void draw_sky(double yaw, double pitch, uint32_t sky_texture, double half_size) {
  float h = static_cast<float>(half_size);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glRotated(-pitch, 1.0, 0.0, 0.0);
  glRotated(-yaw, 0.0, 1.0, 0.0);
  glBindTexture(GL_TEXTURE_2D, sky_texture);
  glBegin(GL_QUADS);
  for (const auto& face : sky_faces) {
    for (const sky_corner& c : face) {
      glTexCoord2f(c.u, c.v);
      glVertex3f(c.x * h, c.y * h, c.z * h);
    }
  }
  glEnd();
  glPopMatrix();
}
