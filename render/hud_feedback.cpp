// What the HUD adds so a fight can be read: a red flash when the player is
// hurt, and a crosshair where the shots go.
#include "render/hud_feedback.h"

#include <algorithm>
#include <cmath>

#include "player/player.h"
#include "render/draw_2d.h"
#include "render/frame_rules.h"
#include "render/screen_square.h"
#include "world/bsp_query.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double shot_eye_height = 2.25;
constexpr double shot_reach = 1000.0;
constexpr double strongest_flash = 0.6;

// The distance along the ray from `a` in direction `d` (unit) to the first
// solid cell, found by halving; the whole reach when nothing is in the way.
double distance_to_solid(const double a[3], const double d[3], const bsp_node* root) {
  auto point = [&](double t, double out[3]) {
    for (int k = 0; k < 3; ++k) out[k] = a[k] + t * d[k];
  };
  double b[3];
  point(shot_reach, b);
  if (!root || bsp_segment_clear(a, b, root) == 1) return shot_reach;
  double clear = 0.0, blocked = shot_reach;
  for (int i = 0; i < 24; ++i) {
    const double middle = 0.5 * (clear + blocked);
    point(middle, b);
    (bsp_segment_clear(a, b, root) == 1 ? clear : blocked) = middle;
  }
  return clear;
}

// One arm of the cross: its lower-left corner and size in pixels from the middle.
struct pixel_rect {
  double x, y, w, h;
};

}  // namespace

void hurt_flash_update(hurt_flash& flash, const player& p, double dt, bool fresh) {
  flash.age += dt;
  if (!fresh && p.health > 0 && p.health < flash.last_health) {
    const double lost = flash.last_health - p.health;
    flash.peak = std::min(strongest_flash, hurt_flash_alpha(flash) + 0.1 + 0.005 * lost);
    flash.age = 0.0;
  }
  if (fresh) flash.peak = 0.0;
  flash.last_health = p.health;
}

double hurt_flash_alpha(const hurt_flash& flash) {
  if (flash.age >= hurt_flash_time) return 0.0;
  return flash.peak * (1.0 - flash.age / hurt_flash_time);
}

double crosshair_height(const player& p, const bsp_node* root, double fov) {
  const double rise = shot_eye_height - eye_height(p);
  if (rise <= 0.0) return 0.0;
  const double yaw = (p.yaw - 180.0) * pi / 180.0, pitch = p.pitch * pi / 180.0;
  const double dir[3] = {std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch)};
  const double from[3] = {p.pos[0], p.pos[1] + shot_eye_height, p.pos[2]};
  // The struck point seen from the eye: how far ahead and how far above.
  const double ahead = distance_to_solid(from, dir, root) + rise * std::sin(pitch);
  const double above = rise * std::cos(pitch);
  if (ahead < 0.5) return 0.0;
  return std::clamp(above / ahead / std::tan(fov * pi / 360.0), -0.9, 0.9);
}

void draw_crosshair(double y, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  const double scale = std::max(1.0, std::round(height / 600.0));
  const double gap = 3 * scale, arm = 7 * scale, thick = 2 * scale, edge = scale;
  const pixel_rect arms[4] = {{gap, -thick / 2, arm, thick},
                              {-gap - arm, -thick / 2, arm, thick},
                              {-thick / 2, gap, thick, arm},
                              {-thick / 2, -gap - arm, thick, arm}};
  // The 2-D projection may reach past the square to the window's edges;
  // `y` is a height in the view, whose edges are the window's.
  const screen_extent e = current_screen_extent();
  const double px = 2.0 * e.half_width / width, py = 2.0 * e.half_height / height;
  // A pixel-aligned middle keeps the arms sharp.
  const double mid_x = std::round(width / 2.0) * px - e.half_width;
  const double mid_y = std::round((y * e.half_height + e.half_height) / py) * py - e.half_height;
  for (const pixel_rect& r : arms)
    draw_color_quad(mid_x + (r.x - edge) * px, mid_y + (r.y - edge) * py, (r.w + 2 * edge) * px,
                    (r.h + 2 * edge) * py, 0.0, 0.0, 0.0, 0.85);
  for (const pixel_rect& r : arms)
    draw_color_quad(mid_x + r.x * px, mid_y + r.y * py, r.w * px, r.h * py, 1.0, 1.0, 1.0, 1.0);
}
