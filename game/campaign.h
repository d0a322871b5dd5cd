// The campaign's flow between levels: a new game, continuing from the save,
// Space on the story, level-complete and death screens, and starting the
// chosen level.
#pragma once
#include <cstdint>

#include "config/keyboard_poll.h"
#include "game/menu_state.h"

struct player;
struct texture_table;

// "New Game": the menu gives way to the story screen; the campaign starts at
// level 0 with every counter at 0.
void campaign_new_game(menu_state& menu, player& p);

// "Continue": reads the save file (user_save_read_path) into the player's level
// and counters (level 16 always comes with all seven mice) and asks for that
// level. Without a usable save nothing changes and it returns false.
bool campaign_continue(menu_state& menu, player& p);

// Space on the screens between levels, while no menu page is shown: the
// story starts level 0, the death screen the same level again, the
// level-complete screen the next one. Space is ignored on the secret level's
// screens. Called by menu_frame before it draws.
void campaign_space(menu_state& menu, player& p, key_down_test key_down);

// Starts the level in the player's level_number once start_level_request is
// set: shows "loading..", writes the save file, puts the level's map path in
// menu.map_path and decodes its music into `music_buffer` (any earlier one is
// deleted first); from level 10 on the sky shows the second sky image. The
// main loop then loads the map. The secret level without all seven mice
// ends the program instead (menu_quit), leaving the save as it was. A level
// number outside the campaign starts nothing, saves nothing and returns to
// the title menu.
menu_result start_level(menu_state& menu, player& p, texture_table& textures, uint32_t& music_buffer);

// The chosen level could not be loaded (the loader has said why): the title
// menu comes back, so the player can choose again.
void campaign_level_not_started(menu_state& menu);
