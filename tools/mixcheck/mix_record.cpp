// Recording one part of the mix through the game's own sound system.
#include "tools/mixcheck/mix_record.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "audio/audio_device.h"
#include "audio/fixed_sounds.h"
#include "audio/load_sound.h"
#include "audio/music.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "config/config_table.h"
#include "game/entity_sources.h"
#include "game/game_sounds.h"
#include "player/player.h"

namespace {

void wait_seconds(double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); }

// The player's gun `gun` fired as the weapon step asks for its sound: every
// fire interval for `hold` seconds (once when `hold` is 0).
void fire_player_gun(player& p, sound_table& sounds, int gun, double hold) {
  p.current_gun = gun;
  double interval = p.guns[gun].fire_interval > 0.01 ? p.guns[gun].fire_interval : 0.1;
  double t = 0.0;
  do {
    p.shot_sound_request = 2;
    player_sounds(p, sounds);
    wait_seconds(interval);
    t += interval;
  } while (t < hold);
}

// One enemy of `type` straight ahead of the player at `distance` units,
// asking for `event` (1 cry, 2 shot) as the entity walk does.
void enemy_sound(const player& p, sound_table& sounds, int type, double distance, int event) {
  entity* head = entity_list_new_head();
  entity* e = new entity{};
  e->type = type;
  e->pos[2] = p.pos[2] - distance;  // yaw 0 looks along -z
  head->next = e;
  e->prev = head;
  give_entity_sources(head);
  e->sound_event = event;
  entity_sounds(head, sounds, p);
  wait_seconds(1.5);
  delete_sound_source(e->sound_source);
  delete e;
  delete head;
}

bool parse_enemy(const char* what, const char* prefix, int* type, double* distance) {
  size_t n = strlen(prefix);
  if (strncmp(what, prefix, n) != 0) return false;
  return sscanf(what + n, "%d:%lf", type, distance) == 2;
}

}  // namespace

void mix_use_wave_backend(const char* wav_path) {
  std::string conf = std::string(wav_path) + ".conf";
  FILE* f = fopen(conf.c_str(), "w");
  if (!f) return;
  fprintf(f, "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 48000\nhrtf = false\n");
  fprintf(f, "dither = false\n[wave]\nfile = %s\n", wav_path);
  fclose(f);
  setenv("ALSOFT_DRIVERS", "wave", 1);
  setenv("ALSOFT_CONF", conf.c_str(), 1);
}

bool mix_record(const char* what, double seconds) {
  sound_table sounds = init_audio();
  if (!audio_active()) {
    fprintf(stderr, "mixcheck: no OpenAL device\n");
    return false;
  }
  load_fixed_sounds(sounds);
  menu_music_ready(sounds);
  config_table config{};
  set_config_defaults(config);
  player p{};
  player_init(p, config);
  uint32_t music = 0;
  int type = 0;
  double distance = 0.0;
  bool known = true;
  if (strncmp(what, "music:", 6) == 0) {
    music = load_sound(("data/sound/" + std::string(what + 6) + ".opus").c_str());
    start_level_music(sounds, music);
    wait_seconds(seconds);
  } else if (strcmp(what, "menu") == 0) {
    start_menu_music(sounds);
    wait_seconds(seconds);
  } else if (strcmp(what, "rifle") == 0) {
    fire_player_gun(p, sounds, 0, 2.0);
  } else if (strcmp(what, "shotgun") == 0) {
    fire_player_gun(p, sounds, 1, 0.0);
  } else if (strcmp(what, "energy") == 0) {
    fire_player_gun(p, sounds, 2, 0.0);
  } else if (parse_enemy(what, "shot:", &type, &distance)) {
    enemy_sound(p, sounds, type, distance, 2);
  } else if (parse_enemy(what, "cry:", &type, &distance)) {
    enemy_sound(p, sounds, type, distance, 1);
  } else {
    known = false;
    fprintf(stderr, "mixcheck: unknown part \"%s\"\n", what);
  }
  if (known && strncmp(what, "music:", 6) != 0 && strcmp(what, "menu") != 0) wait_seconds(1.0);
  delete_sound_source(p.sound_source);
  close_audio(sounds, music);
  return known;
}
