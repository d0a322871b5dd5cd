// The records that live for the whole run, owned by run_game.
#pragma once
#include <cstdint>

#include "app/loop_timing.h"
#include "app/screenshot.h"
#include "audio/sound_table.h"
#include "base/texture_table.h"
#include "config/config_table.h"
#include "config/console.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "config/video_settings.h"
#include "game/menu_state.h"
#include "player/gamepad_input.h"
#include "player/player.h"
#include "render/render_state.h"

struct ai_node;
struct bsp_node;
struct demo_session;
struct entity;
struct platform_window;

// --screenshot TICK:FILE: the frame drawn at that tick goes to that file.
struct screenshot_request {
  int32_t tick;  // counted from 1, menu passes included
  const char* path;
};

// Command-line choices that change how the game starts.
struct game_options {
  const char* map_path;     // --map: play this map at once, skipping the menus
  const char* record_path;  // --record: write the level's input to this demo file
  const char* demo_path;    // --playdemo or --timedemo: replay this demo, then end
  int32_t timedemo;         // 1 with --timedemo: replay flat out and time the frames
  const screenshot_request* screenshots;
  int32_t screenshot_count;
  int32_t check_rules;  // --check: hold every tick to the rules of play
};

struct game_state {
  config_table config;
  video_settings video;
  player the_player;
  console the_console;
  key_state* keys;  // allocated once at start-up
  mouse_state mouse;
  texture_table textures;
  sound_table sounds;  // the OpenAL device, music source and fixed sounds
  menu_state menu;
  entity* entity_list;  // the head sentinel, then the level's entities
  bsp_node* bsp_root;
  ai_node* ai_node_list;
  uint32_t music_buffer;
  platform_window* window;
  loop_timing timing;
  game_options options;
  render_state renderer;   // what the frame renderer keeps between frames
  demo_session* demo;      // the demo being recorded or replayed; null when none
  frame_capture capture;   // screenshot tick count and F12
  gamepad_input pad;       // what the gamepad mapping keeps between ticks
  int32_t alt_enter_down;  // Alt+Enter was down at the last due tick
};
