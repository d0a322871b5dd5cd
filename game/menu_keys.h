// The keys of the menus: pacing, the cursor, the options and Space on the
// title menu's pages.
#pragma once
#include <cstdint>

#include "config/keyboard_poll.h"
#include "game/menu_state.h"

struct config_table;
struct player;

// Seconds between two keys accepted while one is held.
constexpr double menu_key_pause = 0.2;

// The rows of the title menu's pages.
enum {
  main_new_game = 1,
  main_continue = 2,
  main_options = 3,
  main_how_to_play = 4,
  main_credits = 5,
  main_quit = 6,
  how_to_play_back = 5,
  credits_back = 7,
};

// The pages of the title menu.
enum { page_main = 0, page_options = 2, page_how_to_play = 3, page_credits = 4, page_controls = 5 };

// Key pacing, first in every menu pass: once more than the pause has gone
// by since a key was accepted, the next one may be.
void menu_pace_keys(menu_state& menu, double dt);

// Marks a key as accepted: the next one waits for the pause.
void menu_accept_key(menu_state& menu);

// The keys of the title menu's pages, tested in the order Up, Left, Right,
// Down, Space, at most one per pass and only while a key may be accepted:
// Up and Down move the cursor within the page's rows, Left and Right change
// the options, Space acts on the row under the cursor (see menu_space).
// Returns menu_quit for "Quit".
menu_result menu_keys(menu_state& menu, player& p, config_table& config, key_down_test key_down);

// Space on row `cursor` of the current page: "New Game" shows the story,
// "Continue" starts the saved level (nothing without a save), the page rows
// open their pages with the cursor on "Back" ("Controls" opens its page on
// the first action), "Skill" steps to the next skill, "Apply" writes the options to
// the config and asks for a video restart, "Back" (from the options also
// writing them) returns to the main page on the row that opened the page,
// "Quit" gives menu_quit.
menu_result menu_space(menu_state& menu, player& p, config_table& config);
