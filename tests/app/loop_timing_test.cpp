// The main loop's fixed-step clock, driven by made-up counter readings.
#include "app/loop_timing.h"

#include <gtest/gtest.h>

#include "config/video_settings.h"

namespace {

constexpr uint64_t frequency = 1000000;  // a microsecond counter

uint64_t at(double seconds) { return static_cast<uint64_t>(seconds * frequency + 0.5); }

}  // namespace

TEST(LoopTiming, TicksAreDueOncePerStep) {
  loop_timing timing;
  loop_timing_start(timing, frequency, at(0));
  double step = 1.0 / 60.0;
  EXPECT_FALSE(loop_timing_advance(timing, at(0.010), step));
  EXPECT_TRUE(loop_timing_advance(timing, at(0.017), step));
}

TEST(LoopTiming, AStallDropsTheBacklogWithoutACatchUpBurst) {
  loop_timing timing;
  video_settings video{};
  video.tick_step = 1.0 / 60.0;
  loop_timing_start(timing, frequency, at(0));

  // 0.1 s pass with no loop pass at all, then one pass.
  ASSERT_TRUE(loop_timing_advance(timing, at(0.1), video.tick_step));
  loop_timing_drop_backlog(timing, video);
  EXPECT_EQ(timing.accumulator, 0.0);
  loop_timing_consume(timing, video.tick_step);
  EXPECT_DOUBLE_EQ(timing.accumulator, -1.0 / 60.0);

  // The passes that follow every millisecond: the next tick comes two steps
  // after the stall, and never two in a row.
  int ticks = 0;
  double t = 0.1;
  double first_tick = -1.0;
  bool previous_ticked = false;
  for (int pass = 0; pass < 100; ++pass) {
    t += 0.001;
    bool due = loop_timing_advance(timing, at(t), video.tick_step);
    if (due) {
      EXPECT_FALSE(previous_ticked) << "burst at " << t;
      loop_timing_drop_backlog(timing, video);
      loop_timing_consume(timing, video.tick_step);
      if (first_tick < 0) first_tick = t;
      ++ticks;
    }
    previous_ticked = due;
  }
  EXPECT_NEAR(first_tick, 0.1 + 2.0 / 60.0, 0.0015);
  // 0.1 s of passes at 60 ticks a second, less the step owed after the stall.
  EXPECT_GE(ticks, 4);
  EXPECT_LE(ticks, 5);
}

TEST(LoopTiming, FrameRateIsSampledOnceASecond) {
  video_settings video{};
  for (int i = 0; i < 59; ++i) {
    video.fps_time += 1.0 / 60.0;
    loop_count_frame(video);
  }
  EXPECT_EQ(video.fps_value, 0);
  video.fps_time += 2.0 / 60.0;
  loop_count_frame(video);
  EXPECT_EQ(video.fps_value, 60);
  EXPECT_EQ(video.frame_counter, 0);
  EXPECT_EQ(video.fps_time, 0.0);
}
