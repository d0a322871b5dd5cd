// The campaign's map files with what each holds, as levels/README.md records it.
#pragma once
#include <map>
#include <string>
#include <vector>

// One level of the campaign.
struct campaign_level {
  int number;        // level_number
  const char* file;  // data/maps/FILE.t3bsp
  // How the level ends: 0 by its exit; otherwise the type of the enemy
  // whose death ends it (ent_mob10 on level 4, the last ent_boss1, ent_boss2).
  int ending_enemy;
  // The entities of the file: "TYPE:COUNT" pairs, every type listed.
  const char* entities;
};

// Levels 0 to 16 in table order.
const std::vector<campaign_level>& campaign_levels();

// The counts of a level's entities by type code.
std::map<int, int> campaign_entity_counts(const campaign_level& level);

// data/maps/FILE.t3bsp in the test's data directory.
std::string campaign_map_path(const campaign_level& level);
// levels/FILE.lvl (or .map) in the source tree.
std::string campaign_source_path(const campaign_level& level);
