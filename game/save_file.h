// The save file: the level being played and the campaign's counters at its
// start, as one line "level score kills mice".
#pragma once
#include <cstddef>
#include <cstdint>

#include "config/user_folder.h"

// What the save file holds, in the order of the line.
struct save_record {
  int32_t level_number;
  int32_t score;
  int32_t kills;
  int32_t mice;
};

// Reads up to four whitespace-separated decimal numbers from `text` into
// `record`, in the record's order, as "%d %d %d %d" would: the first number
// that is missing, not a number or beyond 32 bits ends the reading, and the
// fields from there on keep their values. Returns how many were read.
int save_parse(const char* text, save_record& record);

// The save line "%d %d %d %d" of `record` into `buffer` (no line end).
// Returns its length.
int save_format(char* buffer, size_t size, const save_record& record);

// Replaces the save file at `path` with `record`: the line goes to
// "<path>.tmp" beside it, is flushed to the disk and then renamed over the
// old file, so a failed write (no folder, full disk, no permission) leaves
// the old save as it was. A failure is logged and gives false. Called when a
// level starts.
bool save_file_write(const char* path, const save_record& record);

// How reading the save went.
enum save_read_result {
  save_missing,   // there is no save file (or it cannot be opened)
  save_unusable,  // it holds no level of the campaign; logged
  save_read,      // `record` holds the save
};

// Reads the save file at `path` into `record`. Numbers the file does not
// hold keep the values `record` came with. A file without a readable level
// number, or with one outside the campaign's levels, is refused; a negative
// counter reads as 0. Each of these is logged. Used by "Continue".
save_read_result save_file_read(const char* path, save_record& record);
