// The state of the menus and of the screens between levels.
#pragma once
#include <cstdint>

constexpr int menu_map_path_size = 260;

struct menu_state {
  int32_t active;              // the menus run instead of the game
  int32_t menu_music_started;  // also marks that the title has been reached
  int32_t prompt_on;           // visible phase of the blinking prompt
  int32_t story_screen;
  int32_t death_screen;
  int32_t cursor;  // 1-based row; 0 = no menu page shown
  int32_t page;    // 0 main, 2 options, 3 how to play, 4 credits, 5 controls
  uint8_t level_complete_screen;
  double splash_timer;
  double blink_timer;
  char map_path[menu_map_path_size];
  int32_t start_level_request;
  double key_timer;
  int32_t key_ready;
  int32_t binding_row;        // the Controls row waiting for its new key; 0 none
  int32_t binding_wait_keys;  // a key was just bound: the menu waits until every key is up
  int32_t escape_held;        // the menus took Escape and it is still down
};

// What a pass of the menus asks of the main loop.
enum menu_result {
  menu_go_on,  // keep running
  menu_quit,   // end the program now: shut down without finishing the pass
};
