// The in-game HUD: console, weapon or scope, face, icons, numbers, score,
// pickup message and the debug read-outs.
#include "render/hud.h"

#include <cmath>

#include "base/texture_table.h"
#include "config/console.h"
#include "player/player.h"
#include "render/draw_2d.h"
#include "render/hud_rules.h"
#include "render/image_coverage.h"
#include "render/screen_square.h"
#include "render/text.h"

namespace {

constexpr int text_buffer_size = 40;
constexpr int32_t fist_gun = 4;

double length3(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void draw_number(const font_pair& font, int32_t value, double x, double y, double size) {
  char text[text_buffer_size];
  format_text(text, sizeof text, "%d", value);
  draw_text(font, text, x, y, size);
}

// Health, and for a gun with ammunition its loaded and reserve counts on
// either side of the ammunition icon.
void draw_numbers(const font_pair& font, const player& p) {
  draw_number(font, p.health < 0 ? 0 : p.health, -0.6, -0.9, 0.1);
  if (p.current_gun == fist_gun || p.current_gun < 0 || p.current_gun >= gun_count) return;
  const gun& g = p.guns[p.current_gun];
  draw_number(font, g.loaded, loaded_number_x(g.loaded), -0.9, 0.1);
  draw_number(font, g.reserve, 0.6, -0.9, 0.1);
}

void draw_vector_readout(const font_pair& font, const char* label, const double v[3], double y) {
  char text[text_buffer_size];
  format_text(text, sizeof text, "%s: (%.2f, %.2f, %.2f)", label, std::fabs(v[0]), std::fabs(v[1]),
              std::fabs(v[2]));
  draw_text(font, text, -0.15, y, 0.05);
}

void draw_length_readout(const font_pair& font, const char* label, const double v[3], double y) {
  char text[text_buffer_size];
  format_text(text, sizeof text, "%s: %f", label, length3(v));
  draw_text(font, text, 0.4, y, 0.05);
}

void draw_debug_readouts(const font_pair& font, int32_t fps_value, const player& p) {
  int32_t bits = p.debug_draw_flags;
  if (bits & 1) draw_length_readout(font, "VEL", p.vel, 0.55);
  if (bits & 4) draw_vector_readout(font, "VEL", p.vel, 0.55);
  if (bits & 2) draw_length_readout(font, "ACL", p.accel, 0.5);
  if (bits & 8) draw_vector_readout(font, "ACL", p.accel, 0.5);
  if (bits & 16) {
    char text[text_buffer_size];
    format_text(text, sizeof text, "FPS: %d", fps_value);
    draw_text(font, text, 0.4, 0.6, 0.05);
  }
}

}  // namespace

void draw_hud(int32_t fps_value, const texture_table& textures, const console& con, const player& p,
              image_coverage_cache* coverage) {
  font_pair font = hud_font(textures);
  if (con.console_open == 1) draw_console(textures, con);
  if (!p.zoom_flag) {
    draw_view_model(textures, p, coverage);
  } else {
    // The scope keeps its round shape on any window.
    double x = -0.2, y = -0.2, w = 0.4, h = 0.4;
    image_kept_rect(textures.slots[tex_crosshair], 1.0, 1.0, &x, &y, &w, &h);
    if (coverage)
      draw_image_shown(*coverage, textures, tex_crosshair, x, y, w, h);
    else
      draw_image_quad(textures.slots[tex_crosshair], x, y, w, h, 0.0, 1.0, 0.0, 1.0);
  }
  draw_face(textures, p);
  draw_hud_icons(textures, p);
  draw_numbers(font, p);
  char score[text_buffer_size];
  format_text(score, sizeof score, "Score:%d", p.score);
  draw_text(font, score, 0.4, 0.95, 0.05);
  if (p.pickup_message_flag) draw_text_n(font, p.pickup_message, sizeof p.pickup_message, -1.0, 0.95, 0.05);
  draw_debug_readouts(font, fps_value, p);
}

void draw_console(const texture_table& textures, const console& con) {
  font_pair font = hud_font(textures);
  // The panel spans the window's top half; the lines stay in the square.
  screen_extent e = current_screen_extent();
  draw_color_quad(-e.half_width, 0.0, 2.0 * e.half_width, e.half_height, 0.5, 0.5, 0.5, 1.0);
  draw_text_n(font, con.input_line, sizeof con.input_line, -1.0, 0.0, 0.05);
  for (int k = 0; k < console_history_lines; ++k)
    draw_text_n(font, con.history[k], sizeof con.history[k], -1.0, 0.05 * (k + 1), 0.05);
}

void draw_view_model(const texture_table& textures, const player& p, image_coverage_cache* coverage) {
  if (p.current_gun < 0 || p.current_gun >= gun_count) return;
  int32_t slot = view_model_slot(p.current_gun, p.guns[p.current_gun], p.reloading, p.health);
  if (slot < 0) return;
  // The weapon belongs to the view, which fills the window.
  screen_extent e = current_screen_extent();
  if (coverage)
    draw_image_shown(*coverage, textures, slot, -e.half_width, -e.half_height, 2.0 * e.half_width,
                     2.0 * e.half_height);
  else
    draw_image_quad(textures.slots[slot], -e.half_width, -e.half_height, 2.0 * e.half_width,
                    2.0 * e.half_height, 0.0, 1.0, 0.0, 1.0);
}

void draw_face(const texture_table& textures, const player& p) {
  double left, right;
  face_cell(p.health, &left, &right);
  draw_image_kept(textures.slots[tex_hud_faces], 0.0, -0.9, 0.1, 0.1, left, right, 0.0, 1.0);
}

void draw_hud_icons(const texture_table& textures, const player& p) {
  uint32_t icons = textures.slots[tex_hud_icons];
  draw_image_kept(icons, -0.8, -0.9, 0.1, 0.1, 0.2, 0.0, 0.0, 1.0);
  if (p.current_gun == fist_gun) return;
  double left, right;
  ammo_icon_cell(p.current_gun, &left, &right);
  draw_image_kept(icons, 0.5, -0.9, 0.1, 0.1, left, right, 0.0, 1.0);
}
