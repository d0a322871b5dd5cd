// Applying the configuration variables to the video settings and the player.
#include "player/bind_keys.h"

#include <cmath>

#include "config/config_table.h"
#include "config/video_settings.h"
#include "player/player.h"

namespace {

// The binding entry each in_ variable fills, in table order.
struct binding_var {
  config_index var;
  int binding;
};

const binding_var binding_vars[] = {
    {cfg_in_forward, bind_forward},     {cfg_in_backward, bind_backward}, {cfg_in_moveleft, bind_moveleft},
    {cfg_in_moveright, bind_moveright}, {cfg_in_jump, bind_jump},         {cfg_in_crouch, bind_crouch},
    {cfg_in_gun1, bind_gun1},           {cfg_in_gun2, bind_gun1 + 1},     {cfg_in_gun3, bind_gun1 + 2},
    {cfg_in_gun4, bind_gun1 + 3},       {cfg_in_gun5, bind_gun1 + 4},     {cfg_in_reload, bind_reload},
    {cfg_in_nextgun, bind_nextgun},     {cfg_in_prevgun, bind_prevgun},   {cfg_in_lookleft, bind_lookleft},
    {cfg_in_lookright, bind_lookright}, {cfg_in_fire, bind_fire},
};

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
  // m_speed overrides both axes, in the table as well.
  const double speed = config_at(table, cfg_m_speed).value.as_double;
  config_at(table, cfg_m_speed_x).value.as_double = speed;
  config_at(table, cfg_m_speed_y).value.as_double = speed;
  p.mouse_speed_x = speed;
  p.mouse_speed_y = speed;
  p.key_bindings[bind_look_key_speed] =
      low_byte_truncated(config_at(table, cfg_m_kb_look_speed).value.as_double);
  for (const binding_var& entry : binding_vars)
    p.key_bindings[entry.binding] = static_cast<uint8_t>(config_at(table, entry.var).value.as_int);
}
