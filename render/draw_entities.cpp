// The entities of the level drawn as billboards that face the viewer.
#include "render/draw_entities.h"

#include <GL/gl.h>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/texture_table.h"
#include "player/player.h"
#include "render/sprite_tables.h"
#include "world/world_vis.h"

namespace {

uint32_t slot_texture(const texture_table& textures, int32_t slot) {
  if (slot < 0 || slot >= texture_slot_count) return 0;
  return textures.slots[slot];
}

// Binds the image and puts the local axes on the entity, x along the
// screen's horizontal and y up.
void begin_facing_viewer(uint32_t texture, const entity& e, const player& viewer) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslated(e.pos[0], e.pos[1], e.pos[2]);
  glRotated(viewer.yaw, 0.0, 1.0, 0.0);
}

void end_facing_viewer() {
  glPopMatrix();
  glColor3d(1.0, 1.0, 1.0);
}

void set_shade(const entity& e, const player& viewer) {
  float s = distance_shade(e.pos, viewer.pos);
  glColor3f(s, s, s);
}

void draw_one(const entity& e, const player& viewer, const texture_table& textures) {
  billboard_sprite still;
  animated_sprite sheet;
  if (find_billboard_sprite(e.type, &still)) {
    draw_billboard(e, slot_texture(textures, still.slot), still.half_width, still.half_height, viewer);
  } else if (find_animated_sprite(e.type, &sheet)) {
    draw_animated_billboard(e, slot_texture(textures, sheet.slot), sheet.half_width, sheet.height, sheet.rows,
                            viewer);
  }
}

}  // namespace

void draw_entities(const entity* list, const player& viewer, const texture_table& textures,
                   const world_vis* vis, const bsp_node* root) {
  // Walked from the tail through prev rather than by recursion, so a long
  // list cannot run out of stack; the order is the same, last entry first.
  const entity* tail = list;
  while (tail && tail->next) tail = tail->next;
  for (const entity* e = tail; e; e = e->prev) {
    double lo[3], hi[3];
    if (vis && entity_sprite_box(*e, lo, hi) && !world_vis_box_seen(*vis, root, lo, hi)) continue;
    draw_one(*e, viewer, textures);
  }
}

bool entity_sprite_box(const entity& e, double lo[3], double hi[3]) {
  billboard_sprite still;
  animated_sprite sheet;
  double half_width, below, above;
  if (find_billboard_sprite(e.type, &still)) {
    half_width = still.half_width;
    below = above = still.half_height;
  } else if (find_animated_sprite(e.type, &sheet)) {
    half_width = sheet.half_width;
    below = 0.0;
    above = sheet.height;
  } else {
    return false;
  }
  // The quad turns about the vertical through pos: its corners stay within
  // half_width of it across, a little more for rounding.
  const double across = half_width * 1.01 + 1e-3;
  for (int k = 0; k < 3; k += 2) {
    lo[k] = e.pos[k] - across;
    hi[k] = e.pos[k] + across;
  }
  lo[1] = e.pos[1] - below - 1e-3;
  hi[1] = e.pos[1] + above + 1e-3;
  return true;
}

void draw_billboard(const entity& e, uint32_t texture, double half_width, double half_height,
                    const player& viewer) {
  begin_facing_viewer(texture, e, viewer);
  if (is_projectile(e.type)) set_shade(e, viewer);
  double w = half_width;
  double h = half_height;
  glBegin(GL_POLYGON);
  glTexCoord2d(1.0, 1.0);
  glVertex3d(-w, -h, 0.0);
  glTexCoord2d(0.0, 1.0);
  glVertex3d(w, -h, 0.0);
  glTexCoord2d(0.0, 0.0);
  glVertex3d(w, h, 0.0);
  glTexCoord2d(1.0, 0.0);
  glVertex3d(-w, h, 0.0);
  glEnd();
  end_facing_viewer();
}

void draw_animated_billboard(const entity& e, uint32_t texture, double half_width, double height,
                             int32_t rows, const player& viewer) {
  double angle = sprite_viewing_angle(e.pos, e.facing, viewer.pos);
  sprite_cell cell = sprite_sheet_cell(e.state, e.frame, rows, angle);
  begin_facing_viewer(texture, e, viewer);
  // A firing enemy keeps the colour it finds (white), so its muzzle flash
  // shows at full brightness at any distance.
  if (e.state != s_fire) set_shade(e, viewer);
  double w = half_width;
  glBegin(GL_POLYGON);
  glTexCoord2d(cell.left_u, cell.bottom_v);
  glVertex3d(-w, 0.0, 0.0);
  glTexCoord2d(cell.right_u, cell.bottom_v);
  glVertex3d(w, 0.0, 0.0);
  glTexCoord2d(cell.right_u, cell.top_v);
  glVertex3d(w, height, 0.0);
  glTexCoord2d(cell.left_u, cell.top_v);
  glVertex3d(-w, height, 0.0);
  glEnd();
  end_facing_viewer();
}
