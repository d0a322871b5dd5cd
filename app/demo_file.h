// Demo files: the input of one level's play, tick by tick, with the state
// each tick left behind, so that a replay can show where it parts from the
// recording. The text format is described in docs/demo-format.md.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "config/config_table.h"

// The format this game writes and the only one it reads.
constexpr int demo_version = 1;
// The most ticks a demo holds: over 18 hours at 60 ticks a second.
constexpr int32_t demo_max_ticks = 4000000;
// The longest map path a demo names, terminator excluded.
constexpr int demo_max_path = 4095;
// The longest end-state line, terminator excluded.
constexpr int demo_max_end_line = 159;

// A key slot whose polled value changed since the previous tick.
struct demo_key_change {
  uint8_t slot;   // 0 to 101
  uint8_t value;  // key_up .. key_released
};

// One game tick of the recording.
struct demo_tick {
  // mouse_state as the tick saw it: x motion, y motion, left, left
  // previous, right, right previous.
  int32_t mouse[6];
  uint64_t digest;        // the game state after the tick (demo_state_digest)
  uint32_t first_change;  // index of the tick's first entry in key_changes
  uint32_t change_count;  // how many entries it has (at most one per slot)
};

struct demo {
  std::string map_path;  // relative to the demo's folder or the game's folder, or absolute
  uint64_t map_digest;   // of the map file's bytes when it was recorded
  config_table config;   // every variable as it stood when the level started
  std::vector<demo_tick> ticks;
  std::vector<demo_key_change> key_changes;
  std::string end_line;  // "demo end: ..." after the last tick
};

// Reads a demo from `file`; `name` is used in the log. False when the text
// is not a whole demo of this version (not a demo, another version, a
// malformed or out-of-range value, fewer ticks than it announces, no end
// line): one line "demo \"NAME\" refused: ..." says why and where, and
// `out` is left empty.
bool demo_read_stream(FILE* file, const char* name, demo& out);

// demo_read_stream on the file at `path`; a file that cannot be opened is
// refused the same way.
bool demo_read_file(const char* path, demo& out);

// Writes `d` in the current format. False when the stream reports an error.
bool demo_write_stream(FILE* file, const demo& d);

// Writes `d` to `path` through a temporary file renamed over it, so an old
// demo of that name stays whole until the new one is. False, with a log
// line, when it cannot be written.
bool demo_write_file(const char* path, const demo& d);

// FNV-1a digest of a file's bytes. False when it cannot be read.
bool file_digest(const char* path, uint64_t* out);
