// The video settings derived from the vid_ variables, and the display modes.
#pragma once
#include <cstdint>

struct config_table;

// Window size, fullscreen, field of view, render distance, tick length,
// frame-rate counters and the desktop size.
struct video_settings {
  int32_t width;
  int32_t height;
  int32_t vsync;  // 1: buffer swaps wait for the display's refresh; 0: they do not
  int32_t fullscreen;
  int32_t fov;
  int32_t render_distance;
  double tick_step;
  int32_t frame_counter;
  double fps_time;
  int32_t fps_value;
  int32_t desktop_width;
  int32_t desktop_height;
};

// The tick rate used when vid_fps is 0 or below, which would give no usable
// tick length.
constexpr int32_t fallback_fps = 60;

// The window size of display mode `mode`; 320 x 200 for 0 and any value
// outside 1 to 16.
void video_mode_size(int32_t mode, int32_t* width, int32_t* height);

// The variable-derived fields of video_settings (width, height, vsync,
// fullscreen, fov, render distance, tick_step), from the table. The other
// fields of the result are zero.
video_settings apply_video_vars(const config_table& table);

// Writes exactly the variable-derived fields of apply_video_vars into
// `video`, leaving the frame-rate counters and the desktop size alone. Used
// by load_config, bind_keys and restart_video.
void apply_video_vars_into(const config_table& table, video_settings& video);
