// Full-screen pictures: the opening logo, the title screen and the story background.
#pragma once

#include "tools/assetgen/raster.h"

// Draws screen k: 0 logo, 1 title (room left for the menu at the lower left), 2 the dim
// background behind the story and level-complete texts.
image draw_screen(int k);
