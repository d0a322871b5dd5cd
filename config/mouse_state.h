// The mouse of the current tick: raw relative motion and two buttons.
#pragma once
#include <cstdint>

struct mouse_state {
  int32_t x_motion;  // relative motion summed over the tick's raw mouse messages
  int32_t y_motion;
  int32_t left;  // 1 down, 0 up
  int32_t left_previous;
  int32_t right;
  int32_t right_previous;
};
