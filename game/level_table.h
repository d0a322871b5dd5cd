// The campaign's levels: the name shown when one is completed, its map file
// and its music.
#pragma once
#include <cstdint>

// One row of the campaign.
struct level_entry {
  const char* name;        // shown on the level-complete screen; null for the secret level
  const char* map_path;    // relative to the directory holding data/
  const char* music_path;  // decoded whole into the level's music buffer
};

constexpr int level_count = 17;
// The last level of the campaign proper: completing it shows the ending.
constexpr int final_level = 15;
// Opens only to a player holding every mouse.
constexpr int secret_level = 16;
constexpr int mice_for_secret_level = 7;
// From this level on the sky shows the second sky image.
constexpr int second_sky_level = 10;

constexpr level_entry level_table[level_count] = {
    {"Facility", "data/maps/facility.t3bsp", "data/sound/music3.opus"},
    {"Outside", "data/maps/outside.t3bsp", "data/sound/music5.opus"},
    {"Warehouse", "data/maps/warehouse.t3bsp", "data/sound/music7.opus"},
    {"Tower", "data/maps/tower.t3bsp", "data/sound/music6.opus"},
    {"Outpost", "data/maps/void_temple.t3bsp", "data/sound/music9.opus"},
    {"Laboratory", "data/maps/chemical_plant.t3bsp", "data/sound/music7.opus"},
    {"Vault", "data/maps/under_boss.t3bsp", "data/sound/music3.opus"},
    {"Rail Bridge", "data/maps/rail_bridge.t3bsp", "data/sound/music9.opus"},
    {"Radio Tower", "data/maps/radio_tower.t3bsp", "data/sound/music6.opus"},
    {"Control Hub", "data/maps/radio_boss.t3bsp", "data/sound/music8.opus"},
    {"Temple", "data/maps/temple.t3bsp", "data/sound/music5.opus"},
    {"Forum", "data/maps/forum.t3bsp", "data/sound/music9.opus"},
    {"Control", "data/maps/command_center.t3bsp", "data/sound/music3.opus"},
    {"Castle", "data/maps/void_castle.t3bsp", "data/sound/music8.opus"},
    {"Void", "data/maps/void.t3bsp", "data/sound/music1.opus"},
    {"Final Fight", "data/maps/void_boss.t3bsp", "data/sound/music10.opus"},
    {nullptr, "data/maps/mouse.t3bsp", "data/sound/mouse.opus"},
};

// The row of `level_number`, or null when the number names no level.
constexpr const level_entry* level_table_find(int32_t level_number) {
  return level_number >= 0 && level_number < level_count ? &level_table[level_number] : nullptr;
}
