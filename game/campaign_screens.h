// The texts of the screens between levels: level complete, the ending, the
// story and the death screen, and the blinking prompt.
#pragma once

#include "game/menu_state.h"

struct player;
struct texture_table;

// How many mouse pictures fit on the screen in their row; a larger count
// draws only these.
constexpr int mouse_pictures_on_screen = 6;

// Draws the texts of whichever screen `menu` shows, over the background:
// the level-complete screen (red, with the level's name, the skill it was
// played at, score, kills and a picture per mouse), the ending after the last level (its lines chosen by
// the number of mice), the story, or the death screen, each with its
// "Press Space" prompt while the prompt's blink phase is on. Leaves the
// colour white. Called by menu_frame after the menu page.
void draw_screens(const menu_state& menu, const player& p, const texture_table& textures);
