// Values of the shipped config and their text form.
#include "tools/assetgen/config_writer.h"

#include <cstdio>
#include <string>

#include "tools/assetgen/file_output.h"

namespace {

// Window mode 13 is 1024x576, which fits a laptop screen with room for the desktop's panels.
// The sky cube's corners lie about 260 units from the eye, so the far plane sits beyond them.
// The mouse turns the view m_speed degrees per count, and a tick sums every report of the
// mouse. 0.06 is the tick rate over a common mouse's 1000 reports a second: at 800 DPI an
// inch of travel turns the view 48 degrees.
// The right stick of a gamepad feeds the same mouse counts: joy_look_speed counts a second at
// full tilt, so 3000 x 0.06 gives 180 degrees a second.
const shipped_setting settings[shipped_setting_count] = {
    {"vid_fullscreen", 0},
    {"vid_mode", 13},
    {"vid_vsync", 1},
    {"vid_fov", 70},
    {"vid_render_distance", 300},
    {"m_speed_x", 0.06},
    {"m_speed_y", 0.06},
    {"m_speed", 0.06},
    {"dbg_draw_vel", 0},
    {"dbg_draw_accel", 0},
    {"vid_fps", 60},
    {"dbg_draw_aigraph", 0},
    {"dbg_draw_hbox", 0},
    {"dbg_draw_aimvec", 0},
    {"dbg_draw_e_aimvec", 0},
    {"dbg_draw_fps", 0},
    {"in_forward", 119},
    {"in_backward", 115},
    {"in_moveleft", 97},
    {"in_moveright", 100},
    {"in_jump", 32},
    {"in_crouch", 99},
    {"in_gun1", 49},
    {"in_gun2", 50},
    {"in_gun3", 51},
    {"in_gun4", 52},
    {"in_gun5", 53},
    {"in_reload", 114},
    {"in_nextgun", 113},
    {"in_prevgun", 101},
    {"in_lookleft", 132},
    {"in_lookright", 133},
    {"m_kb_look_speed", 1.0},
    {"in_fire", 134},
    {"vid_vertex_light", 0},
    // The right stick at full tilt turns half a turn a second with the shipped mouse speed.
    {"joy_look_speed", 3000},
    {"joy_deadzone", 25},
    // The HUD's red flash when hurt, and its crosshair.
    {"hud_hurt_flash", 1},
    {"hud_crosshair", 1},
    // The skill the levels are played at: Normal.
    {"skill", 1},
};

}  // namespace

std::string shipped_double_text(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.6g", value);
  std::string out = text;
  if (out.find_first_of(".e") == std::string::npos) out += ".0";
  return out;
}

const shipped_setting& shipped_setting_at(int k) {
  return settings[k < 0 || k >= shipped_setting_count ? 0 : k];
}

bool write_shipped_config(const char* path) {
  std::string text;
  char line[64];
  for (const shipped_setting& s : settings) {
    if (s.name[0] == 'm')
      snprintf(line, sizeof line, "%s %s\n", s.name, shipped_double_text(s.value).c_str());
    else
      snprintf(line, sizeof line, "%s %d\n", s.name, (int)s.value);
    text += line;
  }
  return write_whole_file(path, (const uint8_t*)text.data(), text.size());
}
