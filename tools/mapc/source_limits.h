// What the game's map reader accepts, checked before a map file is written.
#pragma once
#include <string>
#include <vector>

#include "tools/mapc/mapc_source.h"

// The longest texture name a level may use: the game reads "NAME.webp" into
// a path of at most 259 characters.
extern const size_t mapc_max_texture_name;

// Coordinates are written with up to four decimals into numbers the game
// reads as at most 11 characters; within this distance of the origin (in
// world units, 1 048 576 map units) every coordinate fits.
constexpr double mapc_max_coordinate = 65536.0;

// Why `name` cannot name a world texture in a map file (empty, a space or
// another character the game's reader would split or stop at, too long),
// or an empty string when it can.
std::string mapc_texture_name_problem(const std::string& name);

// Whether a number the map file lists in its navigation-node or entity
// section is short enough for the game's reader.
bool mapc_list_number_fits(double value);

struct mapc_result;
struct mapc_face;

// The most floor a level may have, in square world units (512 x 512): the
// navigation builder lays a standing spot on every unit of floor, and the
// largest campaign level has under a tenth of this.
constexpr double mapc_max_floor_area = 262144.0;

// A face is a floor when its normal's upward part is at least this (slopes
// up to 45 degrees).
constexpr double mapc_floor_min_up = 0.7071;

// The area of every floor of a surface, seen from above, in square world
// units.
double mapc_floor_area(const std::vector<mapc_face>& surface);

// False, with an error naming the file, when the floors of `surface` cover
// more than mapc_max_floor_area.
bool mapc_check_floor_area(const mapc_source& src, const std::vector<mapc_face>& surface, mapc_log& log);

// Checks what the compile made against the game reader's counts: navigation
// nodes, links per node, entities, textures and the tree's depth. False,
// with an error naming the file, when one is over.
bool mapc_check_output_limits(const mapc_source& src, const mapc_result& result, mapc_log& log);

// Checks every box, entity and light of the source against the limits
// above; each problem is an error naming the file and line. False when
// there is one.
bool mapc_check_source_limits(const mapc_source& src, mapc_log& log);
