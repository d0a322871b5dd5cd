// The records a level lives in, for the level load and unload tests.
#pragma once
#include <string>

#include "base/texture_table.h"
#include "config/config_table.h"
#include "game/menu_state.h"
#include "player/player.h"

struct ai_node;
struct bsp_node;
struct entity;

// The part of the game's state that load_level and unload_level touch.
struct level_records {
  config_table config{};
  player the_player{};
  texture_table textures{};
  menu_state menu{};
  entity* entity_list = nullptr;
  bsp_node* bsp_root = nullptr;
  ai_node* ai_node_list = nullptr;

  level_records();
  ~level_records();
  // load_level with these records.
  bool load(const std::string& path);
  // unload_level with these records.
  void unload();
};

// The committed test map: a closed room with four nodes and six entities.
std::string box_room_path();

// The text of a file.
std::string read_file_text(const std::string& path);

// Writes `text` to a file in the temporary directory; returns its path.
std::string write_temp_map(const std::string& name, const std::string& text);
