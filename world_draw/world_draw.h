// Drawing the level's BSP tree back to front, textured and light-mapped.
#pragma once

struct bsp_node;
struct bsp_polygon;
struct map_vertex;

// Grey level of a vertex under vertex lighting: 1 - dist / 100 + 0.1 for its
// distance from the eye, 0 below y = -100. Not clamped (GL clamps colours).
double vertex_light_grey(const map_vertex& vertex, const double eye[3]);

// Sets the current colour to the vertex's grey under vertex lighting.
void set_vertex_light_colour(const map_vertex& vertex, const double eye[3]);

// Texture coordinates (s, t) on the light map of corner `corner` (0 to 3)
// of the light-map quad: the map inset by one texel on every side.
void light_map_coord(int corner, int rows, int cols, double* s, double* t);

// The light map's quad over the polygon's first four corners, with the
// light map's texture coordinates, in the texture and state in force.
void emit_light_map_quad(const bsp_polygon& poly);

// Whether the polygon gets the light-map pass: it needs a light texture, a
// grid size and four corners. Others are drawn with their texture alone.
bool polygon_has_light_map(const bsp_polygon& poly);

// Draws the subtree under `node` back to front as seen from `eye`: only the
// polygons that face the eye, nearer ones over farther ones. Called once per
// frame by render_frame with the level's root, depth function "always".
void world_draw(const bsp_node* node, const double eye[3], bool vertex_light_flag);

// Draws one polygon: the texture with v mirrored, then either per-vertex
// grey by distance (vertex_light_flag) or the light map blended over it.
// Called by world_draw.
void world_draw_polygon(const bsp_polygon& poly, const double eye[3], bool vertex_light_flag);
