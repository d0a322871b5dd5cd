// One pass of the menus: the splash, the title menu with its pages and the
// screens between levels, drawing included.
#pragma once
#include <cstdint>

#include "config/keyboard_poll.h"
#include "game/menu_state.h"

struct config_table;
struct key_state;
struct player;
struct sound_table;
struct texture_table;

// Seconds the opening image shows before the title.
constexpr double splash_seconds = 2.0;
// Seconds between two toggles of the blinking "Press Space".
constexpr double prompt_blink_seconds = 0.5;

// The background of a menu pass: the catalogue slot to show (or none, for
// the plain red death screen), and whether the menu music is to start now.
struct menu_background {
  int slot;  // a texture slot, or -1 for none
  bool start_music;
};

// Advances the splash and blink timers by `dt` and chooses the background:
// the logo during the splash, then the story/level-complete image, the
// title image (the menu music starts the first time it shows), or none on
// the death screen.
menu_background menu_background_step(menu_state& menu, double dt);

// One tick of the menus while `menu.active` is set, run by the main loop
// instead of the game: paces the keys, takes Space on the screens between
// levels, polls the keyboard into `keys`, draws the background, the page or
// screen and its texts, handles the menu keys and, when a level was chosen,
// starts it (map path in `menu`, music in `music_buffer`) for the main loop
// to load. Returns menu_quit when the program is to end ("Quit", or the
// secret level without every mouse). `key_down` tells which keys are down
// (the platform's keyboard in the game, a table in tests).
menu_result menu_frame(menu_state& menu, texture_table& textures, sound_table& sounds, key_state& keys,
                       double dt, uint32_t& music_buffer, player& p, config_table& config,
                       key_down_test key_down = platform_key_down);
