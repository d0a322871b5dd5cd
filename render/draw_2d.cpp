// Flat rectangles in the screen square: a solid colour or part of an image.
#include "render/draw_2d.h"

#include <GL/gl.h>

#include <cmath>

#include "render/screen_square.h"

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

namespace {

// The texture's size in texels; 0 x 0 for texture 0 or one without an image.
void texture_size(uint32_t texture, int* width, int* height) {
  *width = *height = 0;
  if (texture == 0) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint w = 0, h = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  *width = w;
  *height = h;
}

// The width over the height of the rectangle (x, y)-(x + width, y + height)
// as it shows in pixels.
double shown_aspect(double width, double height) { return width / height * screen_unit_aspect(); }

}  // namespace

void image_kept_rect(uint32_t texture, double part_u, double part_v, double* x, double* y, double* width,
                     double* height) {
  int tw, th;
  texture_size(texture, &tw, &th);
  double part_w = std::fabs(part_u) * tw, part_h = std::fabs(part_v) * th;
  if (part_w <= 0.0 || part_h <= 0.0 || *width <= 0.0 || *height <= 0.0) return;
  double want = part_w / part_h, have = shown_aspect(*width, *height);
  if (have > want) {
    double w = *width * want / have;
    *x += (*width - w) / 2.0;
    *width = w;
  } else if (have < want) {
    double h = *height * have / want;
    *y += (*height - h) / 2.0;
    *height = h;
  }
}

void draw_image_kept(uint32_t texture, double x, double y, double width, double height, double left_u,
                     double right_u, double top_v, double bottom_v) {
  image_kept_rect(texture, right_u - left_u, bottom_v - top_v, &x, &y, &width, &height);
  draw_image_quad(texture, x, y, width, height, left_u, right_u, top_v, bottom_v);
}

void draw_image_cover(uint32_t texture, double x, double y, double width, double height) {
  int tw, th;
  texture_size(texture, &tw, &th);
  double left = 0.0, right = 1.0, top = 0.0, bottom = 1.0;
  if (tw > 0 && th > 0 && width > 0.0 && height > 0.0) {
    double want = static_cast<double>(tw) / th, have = shown_aspect(width, height);
    if (have < want) {
      double keep = have / want;
      left = (1.0 - keep) / 2.0;
      right = 1.0 - left;
    } else if (have > want) {
      double keep = want / have;
      top = (1.0 - keep) / 2.0;
      bottom = 1.0 - top;
    }
  }
  draw_image_quad(texture, x, y, width, height, left, right, top, bottom);
}
