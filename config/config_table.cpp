// The table of the configuration variables and their defaults.
#include "config/config_table.h"

#include <cstdio>
#include <cstring>

namespace {

struct config_default {
  config_index index;
  const char* name;
  int32_t value;
};

// Table order matters: bind_keys and the tick walk it and later entries win.
// Names beginning with "m" hold doubles and all default to 1.0.
constexpr config_default defaults[config_table_size] = {
    {cfg_vid_fullscreen, "vid_fullscreen", 0},
    {cfg_vid_mode, "vid_mode", 3},
    {cfg_vid_vsync, "vid_vsync", 1},
    {cfg_vid_fov, "vid_fov", 60},
    {cfg_vid_render_distance, "vid_render_distance", 20},
    {cfg_m_speed_x, "m_speed_x", 1},
    {cfg_m_speed_y, "m_speed_y", 1},
    {cfg_m_speed, "m_speed", 1},
    {cfg_dbg_draw_vel, "dbg_draw_vel", 1},
    {cfg_dbg_draw_accel, "dbg_draw_accel", 1},
    {cfg_vid_fps, "vid_fps", 1},
    {cfg_dbg_draw_aigraph, "dbg_draw_aigraph", 0},
    {cfg_dbg_draw_hbox, "dbg_draw_hbox", 0},
    {cfg_dbg_draw_aimvec, "dbg_draw_aimvec", 0},
    {cfg_dbg_draw_e_aimvec, "dbg_draw_e_aimvec", 0},
    {cfg_dbg_draw_fps, "dbg_draw_fps", 0},
    {cfg_in_forward, "in_forward", 119},
    {cfg_in_backward, "in_backward", 115},
    {cfg_in_moveleft, "in_moveleft", 97},
    {cfg_in_moveright, "in_moveright", 100},
    {cfg_in_jump, "in_jump", 32},
    {cfg_in_crouch, "in_crouch", 99},
    {cfg_in_gun1, "in_gun1", 49},
    {cfg_in_gun2, "in_gun2", 50},
    {cfg_in_gun3, "in_gun3", 51},
    {cfg_in_gun4, "in_gun4", 52},
    {cfg_in_gun5, "in_gun5", 53},
    {cfg_in_reload, "in_reload", 114},
    {cfg_in_nextgun, "in_nextgun", 113},
    {cfg_in_prevgun, "in_prevgun", 101},
    {cfg_in_lookleft, "in_lookleft", 132},
    {cfg_in_lookright, "in_lookright", 133},
    {cfg_m_kb_look_speed, "m_kb_look_speed", 1},
    {cfg_in_fire, "in_fire", 134},
    {cfg_vid_vertex_light, "vid_vertex_light", 0},
    // The gamepad: the right stick at full tilt moves like a mouse sending
    // joy_look_speed counts a second (degrees, at m_speed 1.0), and either
    // stick ignores a tilt below joy_deadzone percent.
    {cfg_joy_look_speed, "joy_look_speed", 180},
    {cfg_joy_deadzone, "joy_deadzone", 25},
    // The HUD: a red flash when the player is hurt, and the crosshair (1 on,
    // 0 off).
    {cfg_hud_hurt_flash, "hud_hurt_flash", 1},
    {cfg_hud_crosshair, "hud_crosshair", 1},
    // The skill: 0 Easy, 1 Normal, 2 Hard.
    {cfg_skill, "skill", 1},
};

// Each default stands at its own index.
constexpr bool defaults_in_index_order() {
  for (int i = 0; i < config_table_size; ++i)
    if (defaults[i].index != i) return false;
  return true;
}
static_assert(defaults_in_index_order(), "the defaults must follow config_index");

}  // namespace

bool config_is_double(const char* name) { return name[0] == 'm'; }

void set_config_defaults(config_table& table) {
  for (int i = 0; i < config_table_size; ++i) {
    config_var& var = table.vars[i];
    var = config_var{};
    snprintf(var.name, sizeof var.name, "%s", defaults[i].name);
    if (config_is_double(var.name))
      var.value.as_double = 1.0;
    else
      var.value.as_int = defaults[i].value;
  }
}

config_var* config_find(config_table& table, const char* name) {
  for (config_var& var : table.vars)
    if (strcmp(var.name, name) == 0) return &var;
  return nullptr;
}

const config_var* config_find(const config_table& table, const char* name) {
  for (const config_var& var : table.vars)
    if (strcmp(var.name, name) == 0) return &var;
  return nullptr;
}
