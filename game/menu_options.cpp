// The options page's settings: fullscreen, display mode, mouse speed and
// skill, held in the configuration variables.
#include "game/menu_options.h"

#include <cmath>

#include "config/config_save.h"
#include "config/config_table.h"
#include "config/skill.h"
#include "render/text.h"

namespace {

// The mouse motion of a tick is summed, so useful speeds are small: the row
// steps by hundredths and never leaves 0.01 to 1.0 (a speed of 0 or below
// would stop or invert the mouse).
constexpr double mouse_speed_step = 0.01;
constexpr double mouse_speed_min = 0.01;
constexpr double mouse_speed_max = 1.0;

constexpr const char* video_mode_names[last_video_mode + 1] = {
    "320x200",   "640x480",   "800x600",   "1024x768", "1152x864",  "1280x960",
    "1400x1050", "1600x1200", "2048x1536", "512x288",  "640x360",   "768x432",
    "896x504",   "1024x576",  "1152x648",  "1280x720", "1920x1080",
};

// Moves vid_mode one mode down (step below 0, only while above 0) or up
// (only while below the last mode).
void step_video_mode(config_table& config, int32_t step) {
  int32_t& mode = config_at(config, cfg_vid_mode).value.as_int;
  if (step < 0 && mode > 0) mode -= 1;
  if (step > 0 && mode < last_video_mode) mode += 1;
}

void set_fullscreen(config_table& config, int32_t value) {
  config_at(config, cfg_vid_fullscreen).value.as_int = value;
}

// Steps the speed and rounds it to hundredths, so repeated steps never
// drift off the values the row shows.
void add_mouse_speed(config_table& config, double step) {
  double& speed = config_at(config, cfg_m_speed).value.as_double;
  double stepped = std::round((speed + step) * 100.0) / 100.0;
  if (!(stepped >= mouse_speed_min)) stepped = mouse_speed_min;  // also a speed that is not a number
  if (stepped > mouse_speed_max) stepped = mouse_speed_max;
  speed = stepped;
}

// Moves the skill one step (-1 or 1) round Easy, Normal, Hard; a value that
// is none of them plays as Normal, so it steps from there.
void step_skill(config_table& config, int32_t step) {
  const int32_t count = skill_hard + 1;
  config_at(config, cfg_skill).value.as_int = (config_skill(config) + step + count) % count;
}

// The variables the options page sets.
constexpr const char* saved_options[] = {"vid_fullscreen", "vid_mode", "m_speed", "skill"};

}  // namespace

const char* video_mode_name(int32_t mode) {
  return mode >= 0 && mode <= last_video_mode ? video_mode_names[mode] : "";
}

int option_row_at(int32_t cursor) {
  if (cursor < 1 || cursor > option_row_count) return -1;
  return option_rows[cursor - 1];
}

int32_t option_cursor_of(option_row row) {
  for (int32_t k = 0; k < option_row_count; ++k)
    if (option_rows[k] == row) return k + 1;
  return 0;
}

void options_left(config_table& config, int32_t cursor) {
  int row = option_row_at(cursor);
  if (row == option_fullscreen) set_fullscreen(config, 0);
  if (row == option_display) step_video_mode(config, -1);
  // Left raises the speed: the row has always worked this way round.
  if (row == option_mouse_speed) add_mouse_speed(config, mouse_speed_step);
  if (row == option_skill) step_skill(config, -1);
}

void options_right(config_table& config, int32_t cursor) {
  int row = option_row_at(cursor);
  if (row == option_fullscreen) set_fullscreen(config, 1);
  if (row == option_display) step_video_mode(config, 1);
  if (row == option_mouse_speed) add_mouse_speed(config, -mouse_speed_step);
  if (row == option_skill) step_skill(config, 1);
}

void options_row_text(const config_table& config, int32_t cursor, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  switch (option_row_at(cursor)) {
    case option_fullscreen:
      options_fullscreen_text(config, buffer, size);
      break;
    case option_display:
      options_display_text(config, buffer, size);
      break;
    case option_mouse_speed:
      options_mouse_speed_text(config, buffer, size);
      break;
    case option_skill:
      options_skill_text(config, buffer, size);
      break;
    case option_controls:
      format_text(buffer, static_cast<size_t>(size), "Controls");
      break;
    case option_apply:
      format_text(buffer, static_cast<size_t>(size), "Apply");
      break;
    case option_back:
      format_text(buffer, static_cast<size_t>(size), "Back");
      break;
    default:
      break;
  }
}

void options_fullscreen_text(const config_table& config, char* buffer, int size) {
  format_text(buffer, static_cast<size_t>(size), "Fullscreen: %s",
              config_at(config, cfg_vid_fullscreen).value.as_int != 0 ? "Yes" : "No");
}

void options_display_text(const config_table& config, char* buffer, int size) {
  format_text(buffer, static_cast<size_t>(size), "Display: %s",
              video_mode_name(config_at(config, cfg_vid_mode).value.as_int));
}

void options_mouse_speed_text(const config_table& config, char* buffer, int size) {
  format_text(buffer, static_cast<size_t>(size), "Mouse Speed: %.2f",
              config_at(config, cfg_m_speed).value.as_double);
}

void options_skill_text(const config_table& config, char* buffer, int size) {
  format_text(buffer, static_cast<size_t>(size), "Skill: %s", skill_name(config_skill(config)));
}

void options_save(const config_table& config) {
  config_save(config, saved_options, static_cast<int>(sizeof saved_options / sizeof saved_options[0]));
}
