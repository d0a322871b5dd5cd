// The program-wide flags that subsystems raise for the main loop.
#include "base/flags.h"

int32_t quit_flag = 0;
uint8_t restart_video_flag = 0;
uint8_t level_done_flag = 0;
uint8_t window_focus_flag = 1;
uint8_t fullscreen_active_flag = 0;

void reset_program_flags() {
  quit_flag = 0;
  restart_video_flag = 0;
  level_done_flag = 0;
  window_focus_flag = 1;
  fullscreen_active_flag = 0;
}
