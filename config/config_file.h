// Reading "data/config.cfg" into the variable table.
#pragma once

#include <cstdio>

#include "config/config_table.h"

struct video_settings;

// Overwrites variables from the name/value pairs of the file at `path`: at
// most 35 attempts, each one name and one value, ending early with the file;
// after them, further pairs only while they name the variables that stand
// after the 35 (the gamepad's and the HUD's).
// A value that is missing or not a number of the variable's type (or too
// long to be one) leaves the variable as it was, and the log names it and
// the file; so does an unknown name. A missing file leaves the table as it is and says so.
void read_config_file_at(config_table& table, const char* path);

// The same on a file already open for reading (the fuzzer's memory file);
// `name` is the file's name in the log.
void read_config_stream(config_table& table, FILE* file, const char* name);

// read_config_file_at on "data/config.cfg", relative to the current
// directory, or on the user's own copy when data/ cannot be written
// (app/user_folder.h).
void read_config_file(config_table& table);

// The start-up configuration: defaults, then the file, then the video
// settings derived from the variables. Called once by run_game before the
// window exists.
void load_config(config_table& table, video_settings& video);
