// The records a level lives in, for the level load and unload tests.
#include "tests/scenario/level/level_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/level_load.h"
#include "app/level_unload.h"
#include "base/entity.h"
#include "entities/entity_list_free.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"

level_records::level_records() {
  set_config_defaults(config);
  player_init(the_player, config);
  entity_list = entity_list_new_head();
  bsp_root = new bsp_node{};  // the empty root of start-up
}

level_records::~level_records() {
  bsp_free(bsp_root);
  world_textures_free(textures.world_textures);
  entity_list_free(entity_list);
  ai_nodes_free(ai_node_list);
}

bool level_records::load(const std::string& path) {
  return load_level(path.c_str(), entity_list, textures, bsp_root, ai_node_list, the_player, config);
}

void level_records::unload() {
  unload_level(the_player, bsp_root, textures, entity_list, ai_node_list, menu);
}

std::string box_room_path() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/scenario/level/maps/box_room.t3bsp";
}

std::string read_file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string write_temp_map(const std::string& name, const std::string& text) {
  const char* tmp = getenv("TMPDIR");
  std::string path = std::string(tmp ? tmp : "/tmp") + "/tarvo_" + std::to_string(getpid()) + "_" + name;
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
}
