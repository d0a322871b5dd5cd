// Drawing the title menu's pages: main, options, how to play and credits,
// and the cursor beside the current row.
#pragma once

#include "game/menu_state.h"

struct config_table;
struct texture_table;

// The name lines of the credits page.
extern const char credits_programming[];
extern const char credits_level_design_1[];
extern const char credits_level_design_2[];

// Draws the page `menu.page` in the current colour, the options page with
// the variables' present values, then ">" left of row `menu.cursor`.
// Called by menu_frame once the splash is over while a page is shown.
void draw_menu_page(const menu_state& menu, const texture_table& textures, const config_table& config);
