// Screenshots: the frame just drawn, read back and written as a PNG, at
// the ticks the command line names and whenever F12 goes down.
#pragma once
#include <cstddef>
#include <cstdint>

struct game_options;
struct platform_window;

// What the main loop keeps for screenshots between passes.
struct frame_capture {
  int32_t ticks_run;  // ticks run so far, menu passes included
  uint8_t f12_down;   // F12 was down at the last look
};

// Reads the back buffer of the current context (width x height pixels,
// the frame just drawn and not yet shown) and writes it as an RGB PNG at
// `path`. False, with a log line naming the file, when it cannot.
bool screenshot_write(const char* path, int width, int height);

// Puts into `out` the first free name "screenshots/tarvo-NNNN.png" (NNNN
// from 0000 to 9999) under `folder`, making the screenshots folder when it
// is missing. False when the folder cannot be made or written to, or every
// number is taken.
bool screenshot_free_name(const char* folder, char* out, size_t size);

// Called by the main loop once per tick, after the tick's frame is drawn
// and before it is shown: counts the tick, writes the screenshots the
// command line asked for at it, and one more into "screenshots/" when F12
// has gone down since the last look (F12 has no slot in key_state and
// reaches nothing else).
void screenshots_after_tick(frame_capture& capture, const game_options& options, platform_window* window);

// At the end of the run: logs each screenshot asked for at a tick that
// never came.
void screenshots_report_missed(const frame_capture& capture, const game_options& options);
