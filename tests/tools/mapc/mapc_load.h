// Test helpers: compiling level text with the map compiler, and reading the result back with the game's
// readers.
#pragma once
#include <string>

#include "base/texture_table.h"
#include "tools/mapc/compile.h"

struct ai_node;
struct bsp_node;
struct entity;

// A compiled map as the game's readers built it.
struct loaded_map {
  ai_node* nodes = nullptr;
  entity* head = nullptr;  // list head; the level's entities follow
  bsp_node* root = nullptr;
  texture_table table{};
  std::string log;  // everything the readers printed
  bool failed = false;
};

// Parses `text` as a grid level (or a .map when `file` ends in ".map") and
// compiles it without a texture check. Errors are left in `log`.
bool compile_text(const std::string& text, const std::string& file, mapc_source& src, mapc_result& result,
                  mapc_log& log, const mapc_options& options = mapc_options{});

// Reads map text with the game's four readers, in the level load's order. Needs a GL context.
void load_map_text(const std::string& text, loaded_map& out);
// Frees everything load_map_text made.
void free_loaded_map(loaded_map& m);

// Node and entity counts of a loaded map.
int loaded_node_count(const loaded_map& m);
int loaded_entity_count(const loaded_map& m, int type);  // type < 0: all
// A small grid room used by several tests: 12 x 8 units, floor 0, ceiling 4.
extern const char* small_room_head;
