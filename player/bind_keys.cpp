// Applying the configuration variables to the video settings and the player.
#include "player/bind_keys.h"

#include <cmath>
#include <cstring>

#include "config/video_settings.h"
#include "config/config_table.h"
#include "player/player.h"

namespace {

struct binding_var {
  const char* name;
  int binding;
};

const binding_var binding_vars[] = {
    {"in_forward", bind_forward},     {"in_backward", bind_backward}, {"in_moveleft", bind_moveleft},
    {"in_moveright", bind_moveright}, {"in_jump", bind_jump},         {"in_crouch", bind_crouch},
    {"in_reload", bind_reload},       {"in_gun1", bind_gun1},         {"in_gun2", bind_gun1 + 1},
    {"in_gun3", bind_gun1 + 2},       {"in_gun4", bind_gun1 + 3},     {"in_gun5", bind_gun1 + 4},
    {"in_nextgun", bind_nextgun},     {"in_prevgun", bind_prevgun},   {"in_lookleft", bind_lookleft},
    {"in_lookright", bind_lookright}, {"in_fire", bind_fire},
};

// The binding entry an in_ variable fills, or -1.
int binding_of(const char* name) {
  for (const binding_var& entry : binding_vars)
    if (strcmp(entry.name, name) == 0) return entry.binding;
  return -1;
}

// The low 8 bits of `value` truncated toward zero. Computed on the double
// itself, so a value beyond the integer range (the file and the console do
// not limit it) is still well defined; a value that is not a number gives 0.
uint8_t low_byte_truncated(double value) {
  double rest = std::fmod(std::trunc(value), 256.0);
  if (std::isnan(rest)) return 0;
  return static_cast<uint8_t>(static_cast<int>(rest));
}

}  // namespace

void bind_keys(config_table& table, video_settings& video, player& p) {
  table.config_changed = 0;
  apply_video_vars_into(table, video);
  for (config_var& var : table.vars) {
    if (strcmp(var.name, "m_speed") == 0) {
      double speed = var.value.as_double;
      if (config_var* x = config_find(table, "m_speed_x")) x->value.as_double = speed;
      if (config_var* y = config_find(table, "m_speed_y")) y->value.as_double = speed;
      p.mouse_speed_x = speed;
      p.mouse_speed_y = speed;
    } else if (strcmp(var.name, "m_speed_x") == 0) {
      p.mouse_speed_x = var.value.as_double;
    } else if (strcmp(var.name, "m_speed_y") == 0) {
      p.mouse_speed_y = var.value.as_double;
    } else if (strcmp(var.name, "m_kb_look_speed") == 0) {
      p.key_bindings[bind_look_key_speed] = low_byte_truncated(var.value.as_double);
    } else {
      int binding = strncmp(var.name, "in_", 3) == 0 ? binding_of(var.name) : -1;
      if (binding >= 0) p.key_bindings[binding] = static_cast<uint8_t>(var.value.as_int);
    }
  }
}
