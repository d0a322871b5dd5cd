// Switching the music between the menus and a level.
#include "audio/music.h"

#include "audio/audio_error.h"
#include "audio/fixed_sounds.h"
#include "audio/play_sound.h"
#include "audio/sound_source.h"

void start_menu_music(sound_table& table) {
  play_looping(table.music_source, menu_music_ready(table), 1.0f, 1.0f, 0.0, 0.0, 0.0);
  audio_check_errors(table, "start_menu_music");
}

void start_level_music(sound_table& table, uint32_t music_buffer) {
  play_looping(table.music_source, music_buffer, 1.0f, 0.8f, 0.0, 0.0, 0.0);
  audio_check_errors(table, "start_level_music");
}

void leave_level_music(sound_table& table, uint32_t& music_buffer) {
  // A stopped source still holds its buffer, and OpenAL refuses to delete a
  // buffer in use: take it off first, or every level's music would stay.
  detach_sound_source(table.music_source);
  delete_sound_buffer(music_buffer);
  play_looping(table.music_source, menu_music_ready(table), 1.0f, 1.2f, 0.0, 0.0, 0.0);
  audio_check_errors(table, "leave_level_music");
}
