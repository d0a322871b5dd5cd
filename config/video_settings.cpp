// The video settings derived from the vid_ variables, and the display modes.
#include "config/video_settings.h"

#include <cstdio>

#include "config/config_table.h"

namespace {

struct mode_size {
  int32_t width;
  int32_t height;
};

// Indexed by vid_mode; entry 0 is also used for any value out of range.
const mode_size video_mode_table[17] = {
    {320, 200},   {640, 480},   {800, 600},   {1024, 768}, {1152, 864},  {1280, 960},
    {1400, 1050}, {1600, 1200}, {2048, 1536}, {512, 288},  {640, 360},   {768, 432},
    {896, 504},   {1024, 576},  {1152, 648},  {1280, 720}, {1920, 1080},
};

// 1 / vid_fps. A rate of 0 would divide by zero and a negative one would
// give a step the accumulator never reaches, so those fall back to a usable
// rate and the rejected value is logged.
double tick_step_for(int32_t fps) {
  if (fps <= 0) {
    printf("vid_fps %d rejected, using %d\n", fps, fallback_fps);
    fps = fallback_fps;
  }
  return 1.0 / static_cast<double>(fps);
}

}  // namespace

void video_mode_size(int32_t mode, int32_t* width, int32_t* height) {
  const mode_size& size = (mode >= 1 && mode <= 16) ? video_mode_table[mode] : video_mode_table[0];
  *width = size.width;
  *height = size.height;
}

video_settings apply_video_vars(const config_table& table) {
  video_settings video{};
  video.width = 640;
  video.height = 480;
  video.vsync = 1;
  video.fullscreen = 0;
  video.fov = 90;
  video.render_distance = 20;
  auto value = [&](config_index index) { return config_at(table, index).value.as_int; };
  if (value(cfg_vid_fullscreen) > 0) video.fullscreen = 1;
  video_mode_size(value(cfg_vid_mode), &video.width, &video.height);
  video.vsync = value(cfg_vid_vsync) > 0 ? 1 : 0;
  video.fov = value(cfg_vid_fov);
  video.render_distance = value(cfg_vid_render_distance);
  video.tick_step = tick_step_for(value(cfg_vid_fps));
  return video;
}

void apply_video_vars_into(const config_table& table, video_settings& video) {
  video_settings derived = apply_video_vars(table);
  video.width = derived.width;
  video.height = derived.height;
  video.vsync = derived.vsync;
  video.fullscreen = derived.fullscreen;
  video.fov = derived.fov;
  video.render_distance = derived.render_distance;
  video.tick_step = derived.tick_step;
}
