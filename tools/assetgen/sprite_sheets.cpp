// Poses each animation cell of an enemy and renders it from the five viewing directions.
#include "tools/assetgen/sprite_sheets.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/enemy_kinds.h"
#include "tools/assetgen/humanoid.h"
#include "tools/assetgen/model3d.h"

namespace {

body_pose walk_pose(int step, bool armed) {
  body_pose p;
  double phase = step * M_PI / 2.0 + M_PI / 4.0;
  for (int i = 0; i < 2; ++i) {
    double leg = phase + i * M_PI;
    p.hip[i] = 0.45 * std::sin(leg);
    p.knee[i] = 0.15 + 0.65 * std::max(0.0, std::cos(leg));
    p.shoulder[i] = 0.15 - 0.4 * std::sin(leg);
  }
  if (armed) {
    p.shoulder[1] = 0.55;
    p.elbow[1] = 0.9;
  }
  p.drop = 0.012 * std::fabs(std::cos(phase));
  p.lean = 0.08;
  p.sway = phase;
  return p;
}

body_pose idle_pose(bool armed) {
  body_pose p;
  if (armed) {
    p.shoulder[1] = 0.5;
    p.elbow[1] = 0.9;
  }
  p.knee[0] = p.knee[1] = 0.05;
  return p;
}

body_pose pain_pose() {
  body_pose p;
  p.lean = -0.3;
  p.head_tilt = -0.35;
  p.shoulder[0] = p.shoulder[1] = 0.9;
  p.arm_out[0] = p.arm_out[1] = 0.8;
  p.elbow[0] = p.elbow[1] = 0.6;
  p.hip[0] = 0.2;
  p.knee[0] = 0.4;
  p.pain = true;
  return p;
}

// Dying cell k (0 to 4): recoil, knees give way, kneel and topple, fall, lie
// still. Lying, the body stays curled (hips and knees bent toward the viewer)
// with its arms along it, so it rests on the floor and is short enough to
// lie within its cell.
body_pose dying_pose(int k) {
  body_pose p;
  const double fall[5] = {0.0, 0.1, 0.45, 1.05, 1.52};
  const double knee[5] = {0.2, 1.2, 1.6, 1.7, 1.8};
  const double hip[5] = {0.11, 0.66, 0.88, 1.2, 1.35};
  const double drop[5] = {0.0, 0.1, 0.2, 0.2, 0.15};
  p.fall = fall[k];
  p.knee[0] = p.knee[1] = knee[k];
  p.hip[0] = p.hip[1] = hip[k];
  p.drop = drop[k];
  p.lean = k == 0 ? -0.35 : 0.2 + 0.1 * k;
  p.head_tilt = k == 0 ? -0.4 : 0.3;
  p.shoulder[0] = k == 0 ? 1.6 : 0.4;
  p.shoulder[1] = k == 0 ? 1.2 : 0.7;
  p.arm_out[0] = p.arm_out[1] = k == 0 ? 0.9 : k >= 3 ? 0.1 : 0.5 + 0.1 * k;
  p.elbow[0] = p.elbow[1] = 0.5;
  p.pain = k == 0;
  p.blood = k >= 3;
  p.sway = k;
  return p;
}

// Pose of a row and column; elevation is the camera's height angle for the cell.
body_pose row_pose(int row, int column, bool armed, double& elevation, bool& mirror) {
  elevation = 0.1;
  mirror = column == 0 || column == 4;
  switch (row) {
    case 0:
      return idle_pose(armed);
    case 1:
    case 2:
    case 3:
    case 4:
      return walk_pose(row - 1, armed);
    case 5:
      return pain_pose();
    case 6: {
      const double elev[5] = {0.1, 0.12, 0.18, 0.26, 0.32};
      elevation = elev[column];
      mirror = true;
      return dying_pose(column);
    }
    case 7: {
      elevation = 0.32;
      mirror = true;
      return dying_pose(4);
    }
    default: {
      body_pose p = idle_pose(armed);
      p.aim = (row % 2 == 0) ? 1 : 2;
      p.phase = row >= 10 ? 1 : 0;
      if (p.aim == 2) p.lean = -0.05;
      p.knee[0] = 0.15;
      p.hip[0] = 0.12;
      p.hip[1] = -0.08;
      return p;
    }
  }
}

// The bounds of the drawn pixels of an image (alpha above 0).
struct drawn_bounds {
  int left, right, bottom;  // right and bottom inclusive; left > right when nothing is drawn
};

drawn_bounds bounds_of(const image& img) {
  drawn_bounds b{img.width, -1, -1};
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      if (img.pixels[(static_cast<size_t>(y) * img.width + x) * 4 + 3] != 0) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// Draws a falling or lying body so it stays inside its cell: drawn first
// on a wider and taller canvas, then smaller when it is wider than the cell
// (a body lying down is longer than one standing is wide), and raised when
// it reaches below the cell's foot (limbs toward the viewer, seen from
// above, sink below the floor line). The body stays centred on the cell.
image draw_fitted(const model& m, ortho_view view, int cw, int ch) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    image wide = image_make(cw * 3, ch * 2, clear_color());
    ortho_view trial = view;
    trial.focus_x += cw;
    render_model(m, trial, wide);
    const drawn_bounds b = bounds_of(wide);
    if (b.left > b.right) break;
    const double middle = trial.focus_x;
    const double half = std::max(middle - b.left, b.right + 1 - middle);
    const double room = 0.5 * cw - 1.0;
    const int sink = b.bottom - (ch - 2);
    if (half <= room && sink <= 0) break;
    if (half > room) view.scale *= room / half;
    if (sink > 0) view.focus_y -= sink;
  }
  image cell = image_make(cw, ch, clear_color());
  render_model(m, view, cell);
  return cell;
}

}  // namespace

image draw_enemy_sheet(int i) {
  const enemy_sheet& sh = enemy_sheet_at(i);
  body_style style = enemy_style(i);
  int cw = (int)std::lround(2.0 * sh.half_width * sh.pixels_per_unit);
  int ch = (int)std::lround(sh.full_height * sh.pixels_per_unit);
  image sheet = image_make(cw * 5, ch * sh.rows, clear_color());
  for (int row = 0; row < sh.rows; ++row)
    for (int col = 0; col < 5; ++col) {
      // The corpse is only ever shown from the front.
      if (row == 7 && col > 0) continue;
      double elevation;
      bool mirror;
      body_pose pose = row_pose(row, col, sh.armed, elevation, mirror);
      model m = build_body(style, pose);
      ortho_view view;
      view.azimuth = (row == 6 || row == 7) ? 0.0 : col * M_PI / 4.0;
      view.elevation = elevation;
      view.scale = sh.pixels_per_unit;
      view.focus = vec3{0, 0, 0};
      view.focus_x = cw * 0.5;
      view.focus_y = ch - 3.0 - (elevation > 0.2 ? ch * 0.05 : 0.0);
      image cell = image_make(cw, ch, clear_color());
      if (row == 6 || row == 7)
        cell = draw_fitted(m, view, cw, ch);
      else
        render_model(m, view, cell);
      if (mirror) mirror_columns(cell, 0, cw);
      blit(sheet, cell, col * cw, row * ch);
    }
  return sheet;
}
