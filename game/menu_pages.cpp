// Drawing the title menu's pages: main, options, how to play and credits,
// and the cursor beside the current row.
#include "game/menu_pages.h"

#include "app/texture_table.h"
#include "config/config_table.h"
#include "config/key_code.h"
#include "game/menu_controls.h"
#include "game/menu_keys.h"
#include "game/menu_options.h"
#include "render/draw_2d.h"
#include "render/text.h"

const char credits_programming[] = "Tarvo developers";
const char credits_level_design_1[] = "Tarvo developers";
const char credits_level_design_2[] = "and contributors";

namespace {

constexpr double item_size = 0.1;
constexpr double heading_size = 0.15;
// The extra lines of the how-to-play page, below "Back".
constexpr double more_size = 0.065;

// A dark band behind a page's text, so it reads over any part of the title
// picture.
void draw_panel(double x0, double y0, double x1, double y1) {
  draw_color_quad(x0, y0, x1 - x0, y1 - y0, 0.0, 0.0, 0.0, 0.55);
}

void draw_main(const font_pair& font) {
  static const char* const rows[] = {"New Game", "Continue", "Options", "How To Play", "Credits", "Quit"};
  draw_panel(-0.96, -0.76, 0.36, -0.04);
  for (int k = 0; k < 6; ++k) draw_text(font, rows[k], -0.8, -0.2 - 0.1 * k, item_size);
}

void draw_options(const font_pair& font, const config_table& config) {
  char text[40];
  draw_panel(-0.96, -0.16 - 0.1 * option_row_count, 1.0, -0.04);
  for (int32_t row = 1; row <= option_row_count; ++row) {
    options_row_text(config, row, text, sizeof text);
    draw_text(font, text, -0.8, -0.1 - 0.1 * row, item_size);
  }
}

// The name of the key bound by variable `name`, or "none".
void bound_key_name(const config_table& config, const char* name, char* buffer, int size) {
  const config_var* var = config_find(config, name);
  key_code_name(var ? static_cast<uint8_t>(var->value.as_int) : 0, buffer, size);
}

// Below the page's own lines, the controls they leave out, with the keys
// they are bound to now.
void draw_more_controls(const font_pair& font, const config_table& config) {
  char fire[24], left[24], right[24], crouch[24], line[64];
  bound_key_name(config, "in_fire", fire, sizeof fire);
  bound_key_name(config, "in_lookleft", left, sizeof left);
  bound_key_name(config, "in_lookright", right, sizeof right);
  bound_key_name(config, "in_crouch", crouch, sizeof crouch);
  format_text(line, sizeof line, "Fire: %s or left button", fire);
  draw_text(font, line, -0.9, -0.72, more_size);
  format_text(line, sizeof line, "Turn: mouse or %s/%s", left, right);
  draw_text(font, line, -0.9, -0.795, more_size);
  format_text(line, sizeof line, "Crouch: %s  Zoom: right button", crouch);
  draw_text(font, line, -0.9, -0.87, more_size);
  draw_text(font, "Console: ` (grave accent)", -0.9, -0.945, more_size);
}

void draw_how_to_play(const font_pair& font, const config_table& config) {
  draw_panel(-0.96, -0.97, 1.0, 0.49);
  draw_text(font, "How to play:", -0.9, 0.3, heading_size);
  draw_text(font, "WASD to move.", -0.9, 0.1, item_size);
  draw_text(font, "Space to jump.", -0.9, 0.0, item_size);
  draw_text(font, "Q&E to cycle guns.", -0.9, -0.1, item_size);
  draw_text(font, "R to reload.", -0.9, -0.2, item_size);
  draw_text(font, "1-5 to select guns.", -0.9, -0.3, item_size);
  draw_text(font, "More in readme.txt", -0.9, -0.4, item_size);
  draw_text(font, "Back", -0.8, -0.6, item_size);
  draw_more_controls(font, config);
}

void draw_credits(const font_pair& font) {
  draw_panel(-0.96, -0.84, 1.0, 0.49);
  draw_text(font, "Credits", -0.9, 0.3, heading_size);
  draw_text(font, "Programming:", -0.9, 0.1, 0.12);
  draw_text(font, credits_programming, -0.9, 0.0, item_size);
  draw_text(font, "Level Design:", -0.9, -0.2, 0.12);
  draw_text(font, credits_level_design_1, -0.9, -0.3, item_size);
  draw_text(font, credits_level_design_2, -0.9, -0.4, item_size);
  draw_text(font, "More in credits.txt", -0.9, -0.6, item_size);
  draw_text(font, "Back", -0.8, -0.8, item_size);
}

}  // namespace

void draw_menu_page(const menu_state& menu, const texture_table& textures, const config_table& config) {
  font_pair font = hud_font(textures);
  switch (menu.page) {
    case page_main:
      draw_main(font);
      break;
    case page_options:
      draw_options(font, config);
      break;
    case page_how_to_play:
      draw_how_to_play(font, config);
      break;
    case page_credits:
      draw_credits(font);
      break;
    case page_controls:
      draw_controls_page(menu, font, config);
      return;  // its rows are closer together: it draws its own cursor
    default:
      break;
  }
  draw_text(font, ">", -0.9, -0.1 - 0.1 * menu.cursor, item_size);
}
