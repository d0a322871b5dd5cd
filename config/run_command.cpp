// The console's two commands.
#include "config/run_command.h"

#include <cstring>

#include "base/flags.h"
#include "config/console.h"
#include "config/console_print.h"

void run_command(console& con) {
  if (strcmp(con.command_text, "quit") == 0)
    quit_flag = 1;
  else if (strcmp(con.command_text, "vid_restart") == 0)
    restart_video_flag = 1;
  else
    console_print("Invalid command", con);
  con.command_pending = 0;
  memset(con.command_text, 0, sizeof con.command_text);
}
