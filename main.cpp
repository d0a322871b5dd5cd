// Tarvo: turns the command line into options and runs the game.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/data_directory.h"
#include "app/run_game.h"

namespace {

void print_usage() { printf("usage: tarvo [--map PATH]\n"); }

}  // namespace

int main(int argc, char** argv) {
  // The log is fully buffered and flushed once per pass of the loop.
  static char log_buffer[1 << 16];
  setvbuf(stdout, log_buffer, _IOFBF, sizeof log_buffer);

  game_options options{};
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--map") == 0 && i + 1 < argc) {
      options.map_path = argv[++i];
    } else {
      print_usage();
      return 2;
    }
  }
  // The game may move to the executable's directory to find data/, so a
  // map named relative to where the player started is made absolute first.
  static char map_path[PATH_MAX];
  if (options.map_path && realpath(options.map_path, map_path)) options.map_path = map_path;
  enter_data_directory();
  return run_game(options);
}
