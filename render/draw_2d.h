// Flat rectangles in the screen square: a solid colour or part of an image.
#pragma once
#include <cstdint>

// A rectangle from (x, y) to (x + width, y + height) at depth 0 in the
// given colour, untextured; afterwards the colour is opaque white and
// texturing is on again. Used by the death fade, the console and the screens.
void draw_color_quad(double x, double y, double width, double height, double red, double green, double blue,
                     double alpha);

// A rectangle from (x, y) to (x + width, y + height) at depth 0 showing the
// image between the given image coordinates (u from the left edge, v from
// the top edge): a left u above the right u mirrors it. Texture 0 draws a
// plain rectangle in the current colour. Used by the HUD, the text and the
// screens.
void draw_image_quad(uint32_t texture, double x, double y, double width, double height, double left_u,
                     double right_u, double top_v, double bottom_v);

// Shrinks the rectangle (x, y, width, height) about its middle to the shape
// that a part of the texture `part_u` wide and `part_v` high (in image
// coordinates) shows with, so it keeps its shape on screen.
void image_kept_rect(uint32_t texture, double part_u, double part_v, double* x, double* y, double* width,
                     double* height);

// As draw_image_quad, but the image part keeps its own shape on screen: it
// is drawn as large as fits the rectangle, centred in it. Used for the HUD's
// face, icons and scope and the screens' pictures.
void draw_image_kept(uint32_t texture, double x, double y, double width, double height, double left_u,
                     double right_u, double top_v, double bottom_v);

// The whole image over the rectangle keeping its shape by cutting what
// reaches past it (equally from both sides), so it fills the rectangle.
// Used for the menus' backgrounds on a window of any shape.
void draw_image_cover(uint32_t texture, double x, double y, double width, double height);
