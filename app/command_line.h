// Turning the command line into game_options.
#pragma once
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "app/game_state.h"

// The options and the storage their strings and screenshot list point into.
struct command_line {
  game_options options{};
  std::vector<screenshot_request> screenshots;
  std::deque<std::string> paths;  // absolute forms of the paths given
};

enum command_line_result {
  command_line_run,    // start the game with the options
  command_line_done,   // --help or --version answered; exit with status 0
  command_line_error,  // the line is wrong and was reported; exit with status 2
};

// Reads argv. Paths become absolute (the game may change directory to find
// its data). --help prints the usage on standard output, --version the
// version; an unknown option, a missing or malformed argument or options
// that do not go together print one line naming the problem, then the
// usage, on standard error.
command_line_result parse_command_line(int argc, char** argv, command_line& out);

// The usage text, as --help prints it.
void print_usage(FILE* stream);
