// The table of the configuration variables and their defaults: the game's
// 35, then the gamepad's, the HUD's and the skill.
#pragma once
#include <cstdint>

// The game's own variables, in their fixed order. Demos record exactly these.
constexpr int config_var_count = 35;
// The variables that stand after the 35: the gamepad's joy_look_speed and
// joy_deadzone, the HUD's hud_hurt_flash and hud_crosshair, and the skill
// the levels are played at.
constexpr int config_extra_var_count = 5;
// Every variable of the table.
constexpr int config_table_size = config_var_count + config_extra_var_count;
constexpr int config_name_size = 24;

// Where each variable stands in the table: code reaches a variable by its
// index, the file and the console by its name.
enum config_index : int32_t {
  cfg_vid_fullscreen,
  cfg_vid_mode,
  cfg_vid_vsync,
  cfg_vid_fov,
  cfg_vid_render_distance,
  cfg_m_speed_x,
  cfg_m_speed_y,
  cfg_m_speed,
  cfg_dbg_draw_vel,
  cfg_dbg_draw_accel,
  cfg_vid_fps,
  cfg_dbg_draw_aigraph,
  cfg_dbg_draw_hbox,
  cfg_dbg_draw_aimvec,
  cfg_dbg_draw_e_aimvec,
  cfg_dbg_draw_fps,
  cfg_in_forward,
  cfg_in_backward,
  cfg_in_moveleft,
  cfg_in_moveright,
  cfg_in_jump,
  cfg_in_crouch,
  cfg_in_gun1,
  cfg_in_gun2,
  cfg_in_gun3,
  cfg_in_gun4,
  cfg_in_gun5,
  cfg_in_reload,
  cfg_in_nextgun,
  cfg_in_prevgun,
  cfg_in_lookleft,
  cfg_in_lookright,
  cfg_m_kb_look_speed,
  cfg_in_fire,
  cfg_vid_vertex_light,
  cfg_joy_look_speed,
  cfg_joy_deadzone,
  cfg_hud_hurt_flash,
  cfg_hud_crosshair,
  cfg_skill,
};

// A variable's value: a double when the name begins with "m", otherwise a
// signed 32-bit integer.
union config_value {
  double as_double;
  int32_t as_int;
};

// One named variable.
struct config_var {
  char name[config_name_size];
  config_value value;
};

// All variables in their fixed order, then the flag the console raises when
// it sets one (bind_keys clears it).
struct config_table {
  config_var vars[config_table_size];
  int32_t config_changed;
};

// Whether a variable of this name holds a double (names beginning with "m").
bool config_is_double(const char* name);

// Writes every variable of the table with its default, in table order.
// Called by load_config before the file is read.
void set_config_defaults(config_table& table);

// The variable at `index`.
inline config_var& config_at(config_table& table, config_index index) { return table.vars[index]; }
inline const config_var& config_at(const config_table& table, config_index index) {
  return table.vars[index];
}

// The variable called `name` (exact, case-sensitive), or null.
config_var* config_find(config_table& table, const char* name);
const config_var* config_find(const config_table& table, const char* name);
