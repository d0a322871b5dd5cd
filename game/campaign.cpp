// The campaign's flow between levels: a new game, continuing from the save,
// Space on the story, level-complete and death screens, and starting the
// chosen level.
#include "game/campaign.h"

#include <cstdio>

#include "audio/load_sound.h"
#include "audio/sound_source.h"
#include "base/texture_table.h"
#include "config/user_folder.h"
#include "game/level_table.h"
#include "game/menu_keys.h"
#include "game/save_file.h"
#include "platform/keyboard.h"
#include "player/player.h"
#include "render/text.h"

namespace {

save_record record_of(const player& p) { return save_record{p.level_number, p.score, p.kills, p.mice}; }

// Space on the screens once the title has been reached: retry after a death,
// go on after a completion, otherwise show the story.
void space_after_title(menu_state& menu, player& p) {
  bool leaving = menu.death_screen || menu.level_complete_screen;
  if (menu.death_screen) {
    menu.start_level_request = 1;
  } else if (menu.level_complete_screen) {
    p.level_number += 1;
    menu.start_level_request = 1;
  } else {
    menu.story_screen = 1;
  }
  menu.death_screen = 0;
  menu.level_complete_screen = 0;
  if (leaving) menu.story_screen = 0;
}

}  // namespace

void campaign_new_game(menu_state& menu, player& p) {
  menu.cursor = 0;
  menu.story_screen = 1;
  p.level_number = 0;
  p.score = p.score_at_level_start = 0;
  p.kills = p.kills_at_level_start = 0;
  p.mice = p.mice_at_level_start = 0;
}

bool campaign_continue(menu_state& menu, player& p) {
  save_record record = record_of(p);
  if (save_file_read(user_save_read_path(), record) != save_read) return false;
  p.level_number = record.level_number;
  p.score = record.score;
  p.kills = record.kills;
  p.mice = record.level_number == secret_level ? mice_for_secret_level : record.mice;
  menu.cursor = 0;
  menu.start_level_request = 1;
  return true;
}

void campaign_space(menu_state& menu, player& p, key_down_test key_down) {
  if (menu.cursor != 0 || !menu.key_ready || p.level_number == secret_level) return;
  if (!key_down(vk_space)) return;
  menu_accept_key(menu);
  if (menu.story_screen && !menu.level_complete_screen && !menu.death_screen) {
    menu.start_level_request = 1;
    p.level_number = 0;
  } else if (menu.menu_music_started) {
    space_after_title(menu, p);
  }
}

menu_result start_level(menu_state& menu, player& p, texture_table& textures, uint32_t& music_buffer) {
  draw_text(hud_font(textures), "loading..", -0.5, 0.0, 0.1);
  const level_entry* level = level_table_find(p.level_number);
  if (!level) {
    // Nothing is saved either: a save naming no level could not be continued.
    printf("level %d is not in the campaign\n", p.level_number);
    campaign_level_not_started(menu);
    return menu_go_on;
  }
  // Without every mouse the secret level is not played and the game ends;
  // the save keeps the last level played, so it cannot open the secret
  // level through "Continue" either.
  if (p.level_number == secret_level && p.mice != mice_for_secret_level) return menu_quit;
  save_file_write(user_save_write_path(), record_of(p));
  snprintf(menu.map_path, sizeof menu.map_path, "%s", level->map_path);
  // A level that failed to load leaves its music behind; only one is kept.
  delete_sound_buffer(music_buffer);
  music_buffer = load_sound(level->music_path);
  if (p.level_number >= second_sky_level) textures.slots[tex_sky] = textures.slots[tex_sky2];
  return menu_go_on;
}

void campaign_level_not_started(menu_state& menu) {
  printf("back to the title menu\n");
  menu.start_level_request = 0;
  menu.story_screen = 0;
  menu.death_screen = 0;
  menu.level_complete_screen = 0;
  menu.page = page_main;
  menu.cursor = main_new_game;
  if (menu.splash_timer < 2.0) menu.splash_timer = 2.0;
}
