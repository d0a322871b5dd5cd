// The sounds of one tick: the player's shot, then the entities' events.
#include "game/game_sounds.h"

#include <cmath>

#include "audio/audio_error.h"
#include "audio/play_sound.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "player/player.h"

namespace {

constexpr double degrees_to_radians = 0.017453292519943295;

// Enemies in armour: their pain is the metallic one.
bool armored(int32_t type) {
  return type == ent_mob2 || type == ent_mob4 || type == ent_mob8 || type == ent_mob10;
}

// Enemies that fire the energy weapon.
bool lazer_shooter(int32_t type) { return type == ent_mob4 || type == ent_mob7 || type == ent_mob8; }

}  // namespace

uint32_t player_shot_buffer(const sound_table& table, int32_t current_gun) {
  if (current_gun == 0) return table.gun1;
  if (current_gun == 1) return table.gun2;
  if (current_gun >= 2 && current_gun <= 4) return table.gun_lazer;
  return 0;
}

uint32_t entity_sound_buffer(const sound_table& table, int32_t type, int32_t sound_event) {
  if (sound_event == 1) return armored(type) ? table.armor_pain : table.human_pain;
  if (sound_event == 2) return lazer_shooter(type) ? table.gun_lazer : table.gun1;
  return 0;
}

void listener_offset(double x, double z, const double player_pos[3], double yaw_degrees, double* out_x,
                     double* out_z) {
  // The camera's own turn, so what is seen ahead is heard ahead.
  double rx = x - player_pos[0];
  double rz = z - player_pos[2];
  double t = -yaw_degrees * degrees_to_radians;
  *out_x = rx * cos(t) + rz * sin(t);
  *out_z = -rx * sin(t) + rz * cos(t);
}

void player_sounds(player& p, sound_table& table) {
  if (p.shot_sound_request == 2) {
    float pitch = random_pitch();
    play_sound(p.sound_source, player_shot_buffer(table, p.current_gun), pitch, 0.25f, 0.0, 0.0, 0.0);
    audio_check_errors(table, "player_sounds");
  }
  p.shot_sound_request = 0;
}

void entity_sounds(entity* first, sound_table& table, const player& p) {
  bool played = false;
  for (entity* e = first; e; e = e->next) {
    if (e->sound_event == 0) continue;
    float pitch = random_pitch();
    double x = 0.0;
    double z = 0.0;
    listener_offset(e->pos[0], e->pos[2], p.pos, p.yaw, &x, &z);
    if (e->sound_event == 1 || e->sound_event == 2) {
      play_sound(e->sound_source, entity_sound_buffer(table, e->type, e->sound_event), pitch, 1.0f, x, 0.0,
                 z);
      played = true;
    }
    e->sound_event = 0;
  }
  if (played) audio_check_errors(table, "entity_sounds");
}
