// Loading the music source and the sounds that live for the whole run.
#include "audio/fixed_sounds.h"

#include "audio/background_sound.h"
#include "audio/load_sound.h"
#include "audio/sound_source.h"

void load_fixed_sounds(sound_table& table) {
  table.music_source = make_sound_source();
  background_sound_cancel(table.menu_music_decode);
  table.menu_music = 0;
  table.menu_music_decode = background_sound_start("data/sound/menu.opus");
  table.human_pain = load_sound("data/sound/human_pain.opus");
  table.armor_pain = load_sound("data/sound/armor_pain.opus");
  table.gun1 = load_sound("data/sound/gun1.opus");
  table.gun2 = load_sound("data/sound/gun2.opus");
  table.gun_lazer = load_sound("data/sound/gun_lazer.opus");
}

uint32_t menu_music_ready(sound_table& table) {
  if (table.menu_music_decode) {
    table.menu_music = background_sound_finish(table.menu_music_decode);
    table.menu_music_decode = nullptr;
  }
  return table.menu_music;
}
