// Flat rectangles in the screen square: a solid colour or part of an image.
#include "render/draw_2d.h"

#include <GL/gl.h>

void draw_color_quad(double x, double y, double width, double height, double red, double green, double blue,
                     double alpha) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glDisable(GL_TEXTURE_2D);
  glColor4d(red, green, blue, alpha);
  glBegin(GL_QUADS);
  glVertex3d(x, y, 0.0);
  glVertex3d(x + width, y, 0.0);
  glVertex3d(x + width, y + height, 0.0);
  glVertex3d(x, y + height, 0.0);
  glEnd();
  glColor3d(1.0, 1.0, 1.0);
  glEnable(GL_TEXTURE_2D);
  glPopMatrix();
}

void draw_image_quad(uint32_t texture, double x, double y, double width, double height, double left_u,
                     double right_u, double top_v, double bottom_v) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2d(left_u, bottom_v);
  glVertex3d(x, y, 0.0);
  glTexCoord2d(right_u, bottom_v);
  glVertex3d(x + width, y, 0.0);
  glTexCoord2d(right_u, top_v);
  glVertex3d(x + width, y + height, 0.0);
  glTexCoord2d(left_u, top_v);
  glVertex3d(x, y + height, 0.0);
  glEnd();
  glPopMatrix();
}
