// The options page's settings: fullscreen, display mode and mouse speed, held
// in the configuration variables.
#pragma once
#include <cstdint>

struct config_table;

// The display modes the options page steps through, 0 to this.
constexpr int32_t last_video_mode = 16;

// The name of display mode `mode` ("320x200" for 0 up to "1920x1080" for
// 16); an empty name for any other value.
const char* video_mode_name(int32_t mode);

// Left on the options row `cursor`: fullscreen off, the previous display
// mode (not below 0), or the mouse speed up by 0.01 (at most 1.0). Other rows change
// nothing. A variable missing from the table is left alone.
void options_left(config_table& config, int32_t cursor);

// Right on the options row `cursor`: fullscreen on, the next display mode
// (not above 16), or the mouse speed down by 0.01 (at least 0.01).
void options_right(config_table& config, int32_t cursor);

// The three setting lines of the options page as they are shown:
// "Fullscreen: Yes", "Display: 1280x720", "Mouse Speed: 0.06".
void options_fullscreen_text(const config_table& config, char* buffer, int size);
void options_display_text(const config_table& config, char* buffer, int size);
void options_mouse_speed_text(const config_table& config, char* buffer, int size);

// Writes the options page's variables into the config file, so they hold
// after a restart; only what changed is written, and a failed write is
// logged and changes nothing else.
void options_save(const config_table& config);
