// Tarvo: turns the command line into options and runs the game.
#include <cstdio>

#include "app/command_line.h"
#include "app/data_directory.h"
#include "app/run_game.h"
#include "config/user_folder.h"

int main(int argc, char** argv) {
  // The log is fully buffered and flushed once per pass of the loop.
  static char log_buffer[1 << 16];
  setvbuf(stdout, log_buffer, _IOFBF, sizeof log_buffer);

  // Paths on the command line are made absolute here: the game may move to
  // the executable's directory to find data/.
  command_line line;
  switch (parse_command_line(argc, argv, line)) {
    case command_line_done:
      return 0;
    case command_line_error:
      return 2;
    case command_line_run:
      break;
  }
  enter_data_directory();
  user_folder_setup();
  return run_game(line.options);
}
