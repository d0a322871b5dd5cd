// The campaign's map files with what each holds, as levels/README.md records it.
#include "tests/scenario/levels/campaign_table.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

const std::vector<campaign_level>& campaign_levels() {
  static const std::vector<campaign_level> levels = {
      {0, "facility", 0, "1:1 2:1 100:2 101:1 200:1 202:3 205:2 400:3 401:1 402:1 410:1 420:1"},
      {1, "outside", 0, "1:1 2:1 200:3 201:1 202:7 205:6 400:5 401:2 410:3 420:1"},
      {2, "warehouse", 0, "1:1 2:1 200:3 201:3 202:5 205:4 206:2 400:5 401:3 402:1 410:3 420:1"},
      {3, "tower", 0, "1:1 2:1 200:2 201:3 202:4 205:3 206:3 207:2 400:7 401:3 402:1 410:3 420:1"},
      {4, "void_temple", 209,
       "1:1 200:1 201:2 202:6 204:1 205:1 206:1 207:2 209:1 400:5 401:2 402:5 403:3 410:8"},
      {5, "chemical_plant", 0,
       "1:1 2:1 200:2 201:2 202:2 204:2 205:3 206:2 207:1 208:2 400:3 401:1 402:2 410:3 420:1"},
      {6, "under_boss", 212, "1:1 200:1 201:2 202:2 203:1 207:2 208:1 212:1 400:6 401:1 402:4 403:4 410:9"},
      {7, "rail_bridge", 0,
       "1:1 2:1 200:2 201:2 202:2 203:1 204:1 205:1 206:1 207:3 208:1 210:3 400:3 401:1 402:1 403:1 410:3"},
      {8, "radio_tower", 0,
       "1:1 2:1 200:1 201:2 204:2 206:2 207:2 208:1 210:1 211:2 400:3 401:1 402:1 403:1 410:5"},
      {9, "radio_boss", 212, "1:1 203:1 204:1 207:2 208:1 210:2 211:1 212:2 400:6 401:1 402:5 403:3 410:6"},
      {10, "temple", 0,
       "1:1 2:1 201:2 204:2 206:2 207:2 208:2 209:1 211:1 400:4 401:1 402:5 403:3 410:10 420:1"},
      {11, "forum", 0,
       "1:1 2:1 200:1 204:1 206:2 207:2 208:1 209:1 210:2 211:3 400:4 401:1 402:3 403:2 410:8"},
      {12, "command_center", 0,
       "1:1 2:1 200:1 203:1 204:2 206:3 207:2 208:2 210:2 211:2 400:5 401:1 402:1 403:1 410:5"},
      {13, "void_castle", 0,
       "1:1 2:1 203:1 204:2 206:2 207:1 208:1 209:1 210:2 211:2 400:4 401:1 402:3 403:1 410:5 420:1"},
      {14, "void", 0,
       "1:1 2:1 203:2 204:2 206:1 207:1 208:2 209:2 210:2 211:2 400:3 401:1 402:3 403:2 410:5"},
      {15, "void_boss", 213, "1:1 203:2 208:2 209:1 210:1 211:1 213:1 400:5 402:4 403:3 410:7"},
      {16, "mouse", 0, "1:1 2:1 200:2 202:2 205:2 400:3 401:2 402:1 403:1 410:4"},
  };
  return levels;
}

std::map<int, int> campaign_entity_counts(const campaign_level& level) {
  std::map<int, int> counts;
  std::istringstream in(level.entities);
  std::string pair;
  while (in >> pair) {
    size_t colon = pair.find(':');
    counts[atoi(pair.substr(0, colon).c_str())] = atoi(pair.substr(colon + 1).c_str());
  }
  return counts;
}

std::string campaign_map_path(const campaign_level& level) {
  const char* data = getenv("TARVO_DATA_DIR");
  return std::string(data ? data : "data") + "/maps/" + level.file + ".t3bsp";
}

std::string campaign_source_path(const campaign_level& level) {
  const char* source = getenv("TARVO_SOURCE_DIR");
  std::string base = std::string(source ? source : ".") + "/levels/" + level.file;
  return access((base + ".map").c_str(), R_OK) == 0 ? base + ".map" : base + ".lvl";
}
