// Initialising the player record.
#include <cstdio>
#include <cstring>

#include "audio/sound_source.h"
#include "config/config_table.h"
#include "config/skill.h"
#include "player/player.h"

void player_default_bindings(player& p) {
  static const uint8_t defaults[key_binding_count] = {
      119, 115, 97, 100, 32, 99, 114, 49, 50, 51, 52, 53, 113, 101, 132, 133, 1, 134,
  };
  memcpy(p.key_bindings, defaults, sizeof defaults);
}

void player_init(player& p, const config_table& table) {
  p = player{};
  p.pos[0] = 2.0;
  p.pos[1] = 6.0;
  p.pos[2] = 0.0;
  p.health = 100;
  p.pitch = 0.0;
  // m_speed, later in the table, overrides both axes.
  p.mouse_speed_x = p.mouse_speed_y = config_at(table, cfg_m_speed).value.as_double;
  p.skill = config_skill(table);
  const int32_t skill = config_at(table, cfg_skill).value.as_int;
  if (!skill_valid(skill))
    printf("config: skill %d is not 0 (Easy), 1 (Normal) or 2 (Hard): the level is played at Normal\n",
           skill);
  gun_initial_values(p.guns);
  p.sound_source = make_sound_source();  // deleted by the next level load
  player_default_bindings(p);
}
