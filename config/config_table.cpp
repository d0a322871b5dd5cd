// The table of the configuration variables and their defaults.
#include "config/config_table.h"

#include <cstdio>
#include <cstring>

namespace {

struct config_default {
  const char* name;
  int32_t value;
};

// Table order matters: bind_keys and the tick walk it and later entries win.
// Names beginning with "m" hold doubles and all default to 1.0.
const config_default defaults[config_table_size] = {
    {"vid_fullscreen", 0},   {"vid_mode", 3},         {"vid_vsync", 1},        {"vid_fov", 60},
    {"vid_render_distance", 20}, {"m_speed_x", 1},    {"m_speed_y", 1},        {"m_speed", 1},
    {"dbg_draw_vel", 1},     {"dbg_draw_accel", 1},   {"vid_fps", 1},          {"dbg_draw_aigraph", 0},
    {"dbg_draw_hbox", 0},    {"dbg_draw_aimvec", 0},  {"dbg_draw_e_aimvec", 0}, {"dbg_draw_fps", 0},
    {"in_forward", 119},     {"in_backward", 115},    {"in_moveleft", 97},     {"in_moveright", 100},
    {"in_jump", 32},         {"in_crouch", 99},       {"in_gun1", 49},         {"in_gun2", 50},
    {"in_gun3", 51},         {"in_gun4", 52},         {"in_gun5", 53},         {"in_reload", 114},
    {"in_nextgun", 113},     {"in_prevgun", 101},     {"in_lookleft", 132},    {"in_lookright", 133},
    {"m_kb_look_speed", 1},  {"in_fire", 134},        {"vid_vertex_light", 0},
    // The gamepad: the right stick at full tilt moves like a mouse sending
    // joy_look_speed counts a second (degrees, at m_speed 1.0), and either
    // stick ignores a tilt below joy_deadzone percent.
    {"joy_look_speed", 180}, {"joy_deadzone", 25},
    // The HUD: a red flash when the player is hurt, and the crosshair (1 on,
    // 0 off).
    {"hud_hurt_flash", 1},   {"hud_crosshair", 1},
    // The skill: 0 Easy, 1 Normal, 2 Hard.
    {"skill", 1},
};

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
