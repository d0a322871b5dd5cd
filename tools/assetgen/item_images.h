// Single-image billboards: projectiles, pickups, the exit portal and the two props.
#pragma once

#include "tools/assetgen/raster.h"

// Projectile k (1 to 7): glowing shots of each kind.
image draw_projectile(int k);
// Pickup k: 0 mouse, 1 morphine, 2 to 5 the ammunition of guns 1 to 4 (wide boxes), 6 the portal.
image draw_item(int k);
// Prop k (1 barrel, 2 lamp pillar).
image draw_prop(int k);
