// Which image and size each entity type is drawn with, and which cell of an
// enemy's sprite sheet shows for its state, frame and viewing angle.
#include "render/sprite_tables.h"

#include <cmath>
#include <cstdlib>

#include "base/entity_codes.h"

namespace {

struct billboard_entry {
  int32_t type;
  billboard_sprite sprite;
};

constexpr billboard_entry billboards[] = {
    {2, {156, 1.0, 1.0, false}},    {100, {110, 1.0, 1.0, false}},  {101, {111, 1.5, 2.0, false}},
    {300, {140, 0.5, 0.5, true}},   {301, {141, 0.25, 0.25, true}}, {302, {142, 0.5, 0.5, true}},
    {303, {143, 0.5, 0.5, true}},   {304, {144, 0.25, 0.25, true}}, {305, {145, 0.25, 0.25, true}},
    {306, {146, 0.5, 0.5, true}},   {307, {140, 1.25, 1.25, true}}, {308, {142, 1.25, 1.25, true}},
    {400, {152, 1.0, 0.25, false}}, {401, {153, 1.0, 0.25, false}}, {402, {154, 1.0, 0.25, false}},
    {403, {155, 1.0, 0.25, false}}, {410, {151, 1.0, 1.0, false}},  {420, {150, 1.0, 1.0, false}},
};

// Enemies 200 to 213 in type order.
constexpr animated_sprite enemy_sheets[] = {
    {120, 1.0, 3.0, 8},   {121, 1.5, 3.5, 10},  {122, 1.0, 3.0, 10}, {123, 2.0, 5.0, 10},
    {124, 1.25, 3.5, 10}, {125, 1.0, 3.0, 10},  {126, 1.0, 3.0, 10}, {127, 1.0, 3.0, 10},
    {128, 1.0, 3.0, 10},  {129, 1.0, 3.0, 10},  {130, 1.5, 3.5, 10}, {131, 1.25, 3.5, 10},
    {132, 8.0, 12.0, 12}, {133, 8.0, 12.0, 12},
};

constexpr int32_t first_enemy_type = ent_worker;
constexpr double column_width = 0.2;

// Row `row` of a sheet of `rows` rows, brought into the sheet.
void row_band(int32_t row, int32_t rows, sprite_cell* cell) {
  int32_t r = row % rows;
  if (r < 0) r += rows;
  cell->top_v = static_cast<double>(r) / rows;
  cell->bottom_v = static_cast<double>(r + 1) / rows;
}

// Column `n` - 1 drawn mirrored (left edge n / 5), wrapped into the sheet.
void mirrored_column(int32_t n, sprite_cell* cell) {
  int32_t c = (n - 1) % 5;
  if (c < 0) c += 5;
  cell->left_u = (c + 1) * column_width;
  cell->right_u = c * column_width;
}

}  // namespace

bool find_billboard_sprite(int32_t type, billboard_sprite* out) {
  for (const billboard_entry& e : billboards) {
    if (e.type == type) {
      *out = e.sprite;
      return true;
    }
  }
  return false;
}

bool find_animated_sprite(int32_t type, animated_sprite* out) {
  int32_t index = type - first_enemy_type;
  if (index < 0 || index >= static_cast<int32_t>(sizeof enemy_sheets / sizeof enemy_sheets[0])) return false;
  *out = enemy_sheets[index];
  return true;
}

double sprite_viewing_angle(const double entity_pos[3], double facing, const double viewer_pos[3]) {
  constexpr double to_degrees = 180.0 / 3.141592653589793;
  double toward = std::atan2(viewer_pos[0] - entity_pos[0], viewer_pos[2] - entity_pos[2]);
  double a = toward * to_degrees - facing * to_degrees;
  if (a > 180.0)
    a -= 360.0;
  else if (a < -180.0)
    a += 360.0;
  return a;
}

void sprite_column(double a, double* left_u, double* right_u) {
  struct range {
    double low, high, left, right;
  };
  static constexpr range columns[] = {
      {-22.5, 22.5, 0.2, 0.0},    {22.5, 67.5, 0.2, 0.4},    {-67.5, -22.5, 0.4, 0.2},
      {67.5, 112.5, 0.4, 0.6},    {-112.5, -67.5, 0.6, 0.4}, {112.5, 157.5, 0.6, 0.8},
      {-157.5, -112.5, 0.8, 0.6},
  };
  for (const range& r : columns) {
    if (a >= r.low && a <= r.high) {
      *left_u = r.left;
      *right_u = r.right;
      return;
    }
  }
  if (a >= 157.5 || a <= -157.5) {
    *left_u = 1.0;
    *right_u = 0.8;
    return;
  }
  // Only an angle that is not a number gets here: show the front.
  *left_u = 0.2;
  *right_u = 0.0;
}

sprite_cell sprite_sheet_cell(int32_t state, int32_t frame, int32_t rows, double angle) {
  sprite_cell cell{};
  if (rows <= 0) rows = 1;
  if (state == s_dying || state == s_revive) {
    int32_t n = state == s_dying ? frame : std::abs(frame - 5);
    row_band(6, rows, &cell);
    mirrored_column(n, &cell);
  } else if (state == s_dead) {
    row_band(7, rows, &cell);
    mirrored_column(1, &cell);
  } else {
    row_band(frame - 1, rows, &cell);
    sprite_column(angle, &cell.left_u, &cell.right_u);
  }
  return cell;
}

float distance_shade(const double pos[3], const double viewer_pos[3]) {
  float dx = static_cast<float>(pos[0] - viewer_pos[0]);
  float dy = static_cast<float>(pos[1] - viewer_pos[1]);
  float dz = static_cast<float>(pos[2] - viewer_pos[2]);
  float d = std::sqrt(dx * dx + dy * dy + dz * dz);
  return 1.0f - d / 100.0f;
}
