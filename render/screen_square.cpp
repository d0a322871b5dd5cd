// How the 2-D screen square meets a window of any shape.
#include "render/screen_square.h"

#include <GL/gl.h>

screen_extent screen_extent_for(int width, int height) {
  if (width <= 0 || height <= 0) return screen_extent{1.0, 1.0};
  double aspect = static_cast<double>(width) / height;
  if (aspect >= screen_square_aspect) return screen_extent{aspect / screen_square_aspect, 1.0};
  return screen_extent{1.0, screen_square_aspect / aspect};
}

screen_extent set_screen_projection() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  screen_extent e = screen_extent_for(viewport[2], viewport[3]);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-e.half_width, e.half_width, -e.half_height, e.half_height, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return e;
}

screen_extent current_screen_extent() {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  // An orthographic projection scales x by 1 / half_width and y by
  // 1 / half_height; anything else (a perspective) counts as the square.
  if (m[0] <= 0.0 || m[5] <= 0.0 || m[15] != 1.0) return screen_extent{1.0, 1.0};
  return screen_extent{1.0 / m[0], 1.0 / m[5]};
}

double screen_unit_aspect() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (viewport[2] <= 0 || viewport[3] <= 0) return 1.0;
  screen_extent e = current_screen_extent();
  return (viewport[2] / e.half_width) / (viewport[3] / e.half_height);
}
