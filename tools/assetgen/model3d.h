// Solid models built from capsules, ellipsoids and boxes, drawn by an orthographic ray caster with
// banded lighting and outlines: the look of every enemy, item and view-model image.
#pragma once

#include <vector>

#include "tools/assetgen/raster.h"
#include "tools/assetgen/vec3.h"

// Surface of a primitive.
struct material {
  color base;
  float shine = 0.0f;     // 0 matte, 1 polished metal
  bool emissive = false;  // drawn at full colour, unlit (eyes, flashes, energy)
};

// Kinds of primitive.
enum class prim_kind { capsule, ellipsoid, box };

// One solid. A capsule joins a and b with radius r. An ellipsoid or box is centred on a with its
// three half-axes in axes[0..2] (mutually perpendicular, their lengths are the half sizes).
struct primitive {
  prim_kind kind;
  vec3 a, b;
  double r;
  vec3 axes[3];
  material mat;
};

// A list of primitives drawn together.
struct model {
  std::vector<primitive> parts;
};

// Adds a capsule from a to b.
void add_capsule(model& m, vec3 a, vec3 b, double r, material mat);
// Adds an axis-aligned ellipsoid with radii (rx, ry, rz).
void add_ellipsoid(model& m, vec3 c, vec3 radii, material mat);
// Adds an axis-aligned box with half sizes (hx, hy, hz).
void add_box(model& m, vec3 c, vec3 half, material mat);
// Adds an oriented ellipsoid or box with explicit half-axes.
void add_oriented(model& m, prim_kind kind, vec3 c, vec3 ax, vec3 ay, vec3 az, material mat);
// Moves every part by the offset.
void translate_model(model& m, vec3 offset);
// Rotates every part about the x axis through the pivot.
void rotate_model_x(model& m, vec3 pivot, double angle);
// Rotates every part about the z axis through the pivot.
void rotate_model_z(model& m, vec3 pivot, double angle);
// Stretches every part by k along each axis about the origin (capsule radii by the mean of k.x
// and k.y, which suits parts lying along z).
void scale_model(model& m, vec3 k);
// Lowest y any part reaches.
double model_floor(const model& m);

// An orthographic view: the camera sits on the side of azimuth (radians about y, 0 = on the +z
// side looking back at the model) and elevation (radians above the horizon). The model-space point
// focus lands on pixel (focus_x, focus_y) of the image, and scale is pixels per unit.
struct ortho_view {
  double azimuth = 0.0;
  double elevation = 0.0;
  vec3 focus{0, 0, 0};
  double focus_x = 0.0, focus_y = 0.0;
  double scale = 32.0;
  vec3 light{-0.45, 0.75, 0.5};  // toward the light, in (right, up, toward-camera) terms
  float ambient = 0.42f;
  float bands = 4.0f;   // lighting steps; 0 for smooth shading
  bool outline = true;  // dark silhouette and crease lines
};

// Draws the model into img (blended over what is there) as seen from the view.
void render_model(const model& m, const ortho_view& view, image& img);
