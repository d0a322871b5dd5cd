// The marks where the player's instant shots struck, seen through walls.
#include "render/hit_markers.h"

#include <GL/gl.h>

#include "player/player.h"

void draw_hit_markers(const player& p, uint32_t blood_texture) {
  for (const hit_marker& m : p.hit_markers) {
    if (!m.active) continue;
    glBindTexture(GL_TEXTURE_2D, blood_texture);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(m.pos[0], m.pos[1], m.pos[2]);
    glRotated(p.yaw, 0.0, 1.0, 0.0);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(0.16, 0.16, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.16, -0.16, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(-0.16, -0.16, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(-0.16, 0.16, 0.0);
    glEnd();
    glPopMatrix();
  }
}
