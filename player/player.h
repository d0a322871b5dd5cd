// The player record: position, view, health, guns, counters and bindings.
#pragma once
#include <cstdint>

#include "player/gun.h"

struct config_table;

constexpr int hit_marker_count = 15;
constexpr int key_binding_count = 18;
constexpr int pickup_message_size = 40;

// Indices of the key bindings.
enum {
  bind_forward = 0,
  bind_backward = 1,
  bind_moveleft = 2,
  bind_moveright = 3,
  bind_jump = 4,
  bind_crouch = 5,
  bind_reload = 6,
  bind_gun1 = 7,  // to bind_gun1 + 4
  bind_nextgun = 12,
  bind_prevgun = 13,
  bind_lookleft = 14,
  bind_lookright = 15,
  bind_look_key_speed = 16,  // a number, not a key
  bind_fire = 17,
};

// Where one of the player's instant shots struck, shown for 0.3 seconds.
struct hit_marker {
  double pos[3];
  double age;
  int32_t active;
};

struct player {
  double pos[3];       // feet
  double prev_pos[3];  // pos at the start of the tick
  double vel[3];
  double accel[3];  // gathered during the tick
  double jump_time;
  int32_t on_ground;
  int32_t jumping;
  int32_t kills;
  int32_t kills_at_level_start;
  int32_t mice;
  int32_t mice_at_level_start;
  int32_t level_number;
  hit_marker hit_markers[hit_marker_count];
  gun guns[gun_count];
  int32_t current_gun;
  int32_t reloading;
  double reload_time;
  double yaw;    // degrees, 0..360; 0 looks along -z, growing turns left
  double pitch;  // degrees: 0..90 up, 270..360 down
  double mouse_speed_x;
  double mouse_speed_y;
  double death_timer;
  int32_t pickup_message_flag;
  double pickup_message_time;
  char pickup_message[pickup_message_size];
  int32_t health;
  int32_t crouch;
  int32_t debug_draw_flags;
  int32_t score;
  int32_t score_at_level_start;
  uint32_t sound_source;
  int32_t shot_sound_request;
  uint8_t zoom_flag;
  uint8_t key_bindings[key_binding_count];
  int32_t skill;  // the skill this level is played at (skill_level), from the table at its load
};

// Zero-fills the player and gives it its starting values: position
// (2, 6, 0), health 100, mouse speeds and skill from the table, the guns, a
// new sound source and the default key bindings. Called at start-up and by every level
// load (which deletes the previous source first).
void player_init(player& p, const config_table& table);

// The default key bindings of a new player.
void player_default_bindings(player& p);
