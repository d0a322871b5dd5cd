// Drawing the title menu's pages: main, options, how to play and credits,
// and the cursor beside the current row.
#include "game/menu_pages.h"

#include "app/texture_table.h"
#include "game/menu_keys.h"
#include "game/menu_options.h"
#include "render/text.h"

const char credits_programming[] = "Tarvo developers";
const char credits_level_design_1[] = "Tarvo developers";
const char credits_level_design_2[] = "and contributors";

namespace {

constexpr double item_size = 0.1;
constexpr double heading_size = 0.15;

void draw_main(const font_pair& font) {
  static const char* const rows[] = {"New Game", "Continue", "Options", "How To Play", "Credits", "Quit"};
  for (int k = 0; k < 6; ++k) draw_text(font, rows[k], -0.8, -0.2 - 0.1 * k, item_size);
}

void draw_options(const font_pair& font, const config_table& config) {
  char text[40];
  options_fullscreen_text(config, text, sizeof text);
  draw_text(font, text, -0.8, -0.2, item_size);
  options_display_text(config, text, sizeof text);
  draw_text(font, text, -0.8, -0.3, item_size);
  options_mouse_speed_text(config, text, sizeof text);
  draw_text(font, text, -0.8, -0.4, item_size);
  draw_text(font, "Apply", -0.8, -0.5, item_size);
  draw_text(font, "Back", -0.8, -0.6, item_size);
}

void draw_how_to_play(const font_pair& font) {
  draw_text(font, "How to play:", -0.9, 0.3, heading_size);
  draw_text(font, "WASD to move.", -0.9, 0.1, item_size);
  draw_text(font, "Space to jump.", -0.9, 0.0, item_size);
  draw_text(font, "Q&E to cycle guns.", -0.9, -0.1, item_size);
  draw_text(font, "R to reload.", -0.9, -0.2, item_size);
  draw_text(font, "1-5 to select guns.", -0.9, -0.3, item_size);
  draw_text(font, "More in readme.txt", -0.9, -0.4, item_size);
  draw_text(font, "Back", -0.8, -0.6, item_size);
}

void draw_credits(const font_pair& font) {
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
      draw_how_to_play(font);
      break;
    case page_credits:
      draw_credits(font);
      break;
    default:
      break;
  }
  draw_text(font, ">", -0.9, -0.1 - 0.1 * menu.cursor, item_size);
}
