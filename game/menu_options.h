// The options page's settings: fullscreen, display mode, mouse speed and
// skill, held in the configuration variables.
#pragma once
#include <cstdint>

struct config_table;

// The rows of the options page, top to bottom: a new setting is one more
// entry of option_rows (and a case in the routines that read it).
enum option_row {
  option_fullscreen,
  option_display,
  option_mouse_speed,
  option_skill,
  option_controls,
  option_apply,
  option_back,
};
constexpr option_row option_rows[] = {option_fullscreen, option_display, option_mouse_speed, option_skill,
                                      option_controls,   option_apply,   option_back};
constexpr int32_t option_row_count = static_cast<int32_t>(sizeof option_rows / sizeof option_rows[0]);

// The row under cursor `cursor` (1 for the top row); -1 off the page.
int option_row_at(int32_t cursor);

// The cursor that stands on `row`.
int32_t option_cursor_of(option_row row);

// The display modes the options page steps through, 0 to this.
constexpr int32_t last_video_mode = 16;

// The name of display mode `mode` ("320x200" for 0 up to "1920x1080" for
// 16); an empty name for any other value.
const char* video_mode_name(int32_t mode);

// Left on the options row `cursor`: fullscreen off, the previous display
// mode (not below 0), the mouse speed up by 0.01 (at most 1.0), or the
// previous skill (Easy goes round to Hard). Other rows change nothing. A
// variable missing from the table is left alone.
void options_left(config_table& config, int32_t cursor);

// Right on the options row `cursor`: fullscreen on, the next display mode
// (not above 16), the mouse speed down by 0.01 (at least 0.01), or the next
// skill (Hard goes round to Easy).
void options_right(config_table& config, int32_t cursor);

// The text of the options row under `cursor` as it is shown:
// "Fullscreen: Yes", "Display: 1280x720", "Mouse Speed: 0.06",
// "Skill: Normal", "Controls", "Apply", "Back"; empty off the page.
void options_row_text(const config_table& config, int32_t cursor, char* buffer, int size);

// The setting lines of the options page as they are shown:
// "Fullscreen: Yes", "Display: 1280x720", "Mouse Speed: 0.06", "Skill: Easy".
void options_fullscreen_text(const config_table& config, char* buffer, int size);
void options_display_text(const config_table& config, char* buffer, int size);
void options_mouse_speed_text(const config_table& config, char* buffer, int size);
void options_skill_text(const config_table& config, char* buffer, int size);

// Writes the options page's variables into the config file, so they hold
// after a restart; only what changed is written, and a failed write is
// logged and changes nothing else.
void options_save(const config_table& config);
