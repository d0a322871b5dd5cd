// Reading Quake-format .map files (standard and Valve 220 faces) into a level source.
#pragma once
#include <string>

#include "tools/mapc/mapc_source.h"

// One world unit is this many map units; map z is up, world y is up.
constexpr double mapc_map_units_per_world_unit = 16.0;

// Map coordinates (x east, y north, z up) to world coordinates (x east, y up,
// z south): world = (x, z, -y) / 16.
mapc_vec mapc_map_to_world(double x, double y, double z);
// World coordinates back to map coordinates (used by the point file).
mapc_vec mapc_world_to_map(const mapc_vec& w);

// Parses the text of a .map file: brushes of any number of planes (three
// points each, standard or Valve 220 texture axes). A face whose points lie
// on one line, a brush of fewer than four faces, an unknown point-entity
// class or a syntax error adds an error naming the entity, the brush and the
// line. Returns false on errors.
bool mapc_parse_map(const std::string& text, const std::string& file, mapc_source& out, mapc_log& log);
