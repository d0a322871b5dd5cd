// The fixed-step clock of the main loop, as a function of counter readings.
#include "app/loop_timing.h"

#include "config/video_settings.h"

void loop_timing_start(loop_timing& timing, uint64_t frequency, uint64_t reading) {
  timing = loop_timing{};
  timing.inverse_frequency = frequency ? 1.0 / static_cast<double>(frequency) : 0.0;
  timing.last_reading = reading;
}

bool loop_timing_advance(loop_timing& timing, uint64_t reading, double tick_step) {
  double elapsed = static_cast<double>(reading - timing.last_reading) * timing.inverse_frequency;
  timing.last_reading = reading;
  timing.total += elapsed;
  timing.accumulator += timing.total - timing.previous_total;
  timing.previous_total = timing.total;
  return timing.accumulator >= tick_step;
}

void loop_timing_drop_backlog(loop_timing& timing, video_settings& video) {
  if (timing.accumulator > 2.0 * video.tick_step) timing.accumulator = 0.0;
  video.fps_time += timing.accumulator;
}

void loop_timing_consume(loop_timing& timing, double tick_step) { timing.accumulator -= tick_step; }

void loop_count_frame(video_settings& video) {
  video.frame_counter += 1;
  if (video.fps_time >= 1.0) {
    video.fps_value = video.frame_counter;
    video.frame_counter = 0;
    video.fps_time = 0.0;
  }
}
