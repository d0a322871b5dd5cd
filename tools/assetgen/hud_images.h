// HUD images: the health faces, the icon strip, the scope and the hit-marker splash.
#pragma once

#include "tools/assetgen/raster.h"

// Seven 32-pixel face cells in a row: healthy, scratched, hurt, badly hurt, dead, grinning, angry.
image draw_hud_faces(int unused);
// Five 32-pixel icon cells in a row: health, then the ammunition of guns 0 to 3.
image draw_hud_icons(int unused);
// The scope picture shown while zoomed: a dark ring around a reticle on clear glass.
image draw_scope(int unused);
// The hit-marker splash of blood on transparency.
image draw_blood(int unused);
