// A level as the compiler reads it: convex brushes of solid, entities and lights, in world units (y up).
#pragma once
#include <string>
#include <vector>

// A point or direction in world units.
struct mapc_vec {
  double x, y, z;
};

// Face slots of a box: axis * 2, plus 1 for the face on the high side.
enum { face_lo_x, face_hi_x, face_lo_y, face_hi_y, face_lo_z, face_hi_z };

// One axis-aligned box of solid with a texture name per face.
struct mapc_box {
  double lo[3];
  double hi[3];
  std::string texture[6];
  int entity;           // index of the entity in its source file (0 for worldspawn)
  int brush;            // index of the brush inside that entity
  int line;             // source line where the brush starts
  bool detail = false;  // drawn and solid, but no wall for the visible sets (see mapc_brush)
};

// Texture axes of a face in world units: u = u[0..2] . p + u[3] and
// v = v[0..2] . p + v[3] in texture repeats, as the map file stores them.
struct mapc_tex_axes {
  double u[4];
  double v[4];
};

// One bounding plane of a brush: n . p = d, the normal pointing out of the
// brush (unit length), with the face's texture.
struct mapc_brush_face {
  double n[3];
  double d;
  std::string texture;
  mapc_tex_axes tex;
  bool tex_pixels;  // tex gives texels (a .map face), made repeats once the texture's size is known
};

// A convex brush: the solid behind every one of its planes. A box keeps its
// bounds, so that surfaces made only of boxes are cut exactly as boxes.
struct mapc_brush {
  std::vector<mapc_brush_face> faces;
  bool box;
  double lo[3], hi[3];  // bounds (the box itself when `box`)
  int entity;
  int brush;
  int line;
  // A detail brush (func_detail, or a grid cell marked `detail`) is drawn
  // and solid like any other, but the visible sets are worked out as if it
  // were not there: small props would otherwise cut the rooms into many
  // small cells that sight has to be followed through.
  bool detail = false;
};

// The brush of a box: its six faces in the box's slot order, textures
// aligned to the world (one repeat every 4 units, upright on walls).
mapc_brush mapc_box_brush(const mapc_box& b);

// A point entity the level keeps (player start, exit, props, enemies, pickups).
struct mapc_entity {
  std::string classname;
  int type;
  mapc_vec pos;
  int line;
};

// A light entity: Quake light tool keys, position in world units.
struct mapc_light {
  mapc_vec pos;
  double light;  // intensity, 300 by default
  double wait;   // distance scale of the falloff, 1 by default
  int delay;     // 0 linear, 1 inverse, 2 inverse square, 3 none
  int line;
};

// The whole source of one level.
struct mapc_source {
  std::string file;  // shown in messages
  std::vector<mapc_brush> brushes;
  std::vector<mapc_entity> entities;
  std::vector<mapc_light> lights;
  double minlight;  // ambient floor, 0..255
};

// Messages of one compile; an error makes the compile fail.
struct mapc_log {
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};

// Adds a formatted error line to the log.
void mapc_error(mapc_log& log, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Adds a formatted warning line to the log.
void mapc_warning(mapc_log& log, const char* format, ...) __attribute__((format(printf, 2, 3)));
