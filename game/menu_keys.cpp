// The keys of the menus: pacing, the cursor, the options and Space on the
// title menu's pages.
#include "game/menu_keys.h"

#include "base/flags.h"
#include "game/campaign.h"
#include "game/menu_options.h"
#include "platform/keyboard.h"

namespace {

// The lowest row of each page the cursor can move over; the how-to-play and
// credits pages have only their "Back" row.
int32_t last_row(int32_t page) {
  if (page == page_main) return main_quit;
  if (page == page_options) return option_row_count;
  return 0;
}

void cursor_up(menu_state& menu) {
  if (last_row(menu.page) == 0) return;
  if (menu.cursor > 1) menu.cursor -= 1;
}

void cursor_down(menu_state& menu) {
  int32_t last = last_row(menu.page);
  if (last == 0) return;
  if (menu.cursor < last) menu.cursor += 1;
}

void open_page(menu_state& menu, int32_t page, int32_t back_row) {
  menu.page = page;
  menu.cursor = back_row;
}

menu_result space_on_main(menu_state& menu, player& p) {
  switch (menu.cursor) {
    case main_new_game:
      campaign_new_game(menu, p);
      break;
    case main_continue:
      campaign_continue(menu, p);
      break;
    case main_options:
      open_page(menu, page_options, option_cursor_of(option_back));
      break;
    case main_how_to_play:
      open_page(menu, page_how_to_play, how_to_play_back);
      break;
    case main_credits:
      open_page(menu, page_credits, credits_back);
      break;
    case main_quit:
      return menu_quit;
    default:
      break;
  }
  return menu_go_on;
}

}  // namespace

void menu_pace_keys(menu_state& menu, double dt) {
  if (menu.key_timer > menu_key_pause)
    menu.key_ready = 1;
  else
    menu.key_timer += dt;
}

void menu_accept_key(menu_state& menu) {
  menu.key_ready = 0;
  menu.key_timer = 0.0;
}

menu_result menu_space(menu_state& menu, player& p, config_table& config) {
  switch (menu.page) {
    case page_main:
      return space_on_main(menu, p);
    case page_options: {
      int row = option_row_at(menu.cursor);
      if (row == option_apply || row == option_back) options_save(config);
      if (row == option_apply) restart_video_flag = 1;
      if (row == option_back) open_page(menu, page_main, main_continue);
      if (row == option_controls) open_page(menu, page_controls, 1);
      if (row == option_skill) options_right(config, menu.cursor);
      break;
    }
    case page_how_to_play:
      open_page(menu, page_main, main_options);
      break;
    case page_credits:
      open_page(menu, page_main, main_credits);
      break;
    default:
      break;
  }
  return menu_go_on;
}

menu_result menu_keys(menu_state& menu, player& p, config_table& config, key_down_test key_down) {
  if (!menu.key_ready) return menu_go_on;
  bool options = menu.page == page_options;
  if (key_down(vk_up)) {
    menu_accept_key(menu);
    cursor_up(menu);
  } else if (options && key_down(vk_left)) {
    menu_accept_key(menu);
    options_left(config, menu.cursor);
  } else if (options && key_down(vk_right)) {
    menu_accept_key(menu);
    options_right(config, menu.cursor);
  } else if (key_down(vk_down)) {
    menu_accept_key(menu);
    cursor_down(menu);
  } else if (key_down(vk_space)) {
    menu_accept_key(menu);
    return menu_space(menu, p, config);
  }
  return menu_go_on;
}
