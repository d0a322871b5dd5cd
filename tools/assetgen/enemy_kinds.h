// The fourteen enemy designs: their look and the sprite-sheet layout each one is drawn into.
#pragma once

#include "tools/assetgen/humanoid.h"

// One enemy sprite sheet: where it goes, the billboard size it is drawn at and its row count.
struct enemy_sheet {
  const char* path;     // below the data folder
  double half_width;    // billboard half width in world units
  double full_height;   // billboard height in world units
  int rows;             // 8 for the worker, 10 for enemies, 12 for bosses
  int pixels_per_unit;  // drawing density of the sheet
  bool armed;           // has aiming and firing rows
};

// Number of enemy sheets.
constexpr int enemy_sheet_count = 14;

// Layout of sheet i (0 to 13: mob1 to mob10, mob13, mob14, boss1, boss2).
const enemy_sheet& enemy_sheet_at(int i);
// Look of the enemy drawn on sheet i.
body_style enemy_style(int i);
