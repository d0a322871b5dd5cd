// Texture axes of .map faces (standard and Valve 220), and boxes among brushes.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/mapc_source.h"

// Texel size assumed for a texture whose image cannot be read.
constexpr int mapc_default_texture_size = 128;

// Sets the face's texture axes, in texels, from the numbers that follow its
// texture name: Valve 220's "ux uy uz uoffset vx vy vz voffset rotation
// xscale yscale" (the axes are used as written; rotation is already in
// them) or the standard "xoffset yoffset rotation xscale yscale", whose axes
// are the world axes nearest the face, turned by the rotation. A scale of 0
// counts as 1. Valve axes that lie flat against the face's normal (no
// texture could be seen) give way to the standard axes.
void mapc_map_texture_axes(mapc_brush_face& f, const std::vector<double>& numbers, bool valve);

// Texture axes in texels made repeats of a texture `width` x `height`
// texels: u over the width, v over the height and turned the game's way up.
void mapc_texels_to_repeats(mapc_tex_axes& t, int width, int height);

// The size of DIR/NAME.webp; false (and the default size) when it cannot be read.
bool mapc_texture_size(const std::string& dir, const std::string& name, int* width, int* height);

// Whether the brush is a box (six faces, two across each axis); if so, puts
// its faces in box slot order and sets its bounds.
bool mapc_brush_as_box(mapc_brush& b);
