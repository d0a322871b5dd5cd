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
