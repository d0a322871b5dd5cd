// The records that live for the whole run, owned by run_game.
#pragma once
#include <cstdint>

#include "app/loop_timing.h"
#include "app/texture_table.h"
#include "app/video_settings.h"
#include "audio/sound_table.h"
#include "config/config_table.h"
#include "config/console.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "game/menu_state.h"
#include "player/player.h"
#include "render/render_state.h"

struct ai_node;
struct bsp_node;
struct entity;
struct platform_window;

// Command-line choices that change how the game starts.
struct game_options {
  const char* map_path;  // --map: play this map at once, skipping the menus
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
  render_state renderer;  // what the frame renderer keeps between frames
};
