// The fixed-step clock of the main loop, as a function of counter readings.
#pragma once
#include <cstdint>

struct video_settings;

struct loop_timing {
  double inverse_frequency;  // seconds per counter tick
  uint64_t last_reading;
  double total;  // seconds since the loop started
  double previous_total;
  double accumulator;  // seconds owed to the simulation
};

// Starts the clock: the counter's frequency and its first reading.
void loop_timing_start(loop_timing& timing, uint64_t frequency, uint64_t reading);

// Adds the time since the last reading to the accumulator. Returns whether
// a tick is due (the accumulator holds at least one tick_step).
bool loop_timing_advance(loop_timing& timing, uint64_t reading, double tick_step);

// Drops a backlog of more than two steps (it is not caught up) and adds the
// accumulator to the frame-rate clock. Called once per due tick.
void loop_timing_drop_backlog(loop_timing& timing, video_settings& video);

// Pays for the tick that ran.
void loop_timing_consume(loop_timing& timing, double tick_step);

// Counts a presented frame; once a second has gathered, the count becomes
// the frame rate shown by the HUD.
void loop_count_frame(video_settings& video);
