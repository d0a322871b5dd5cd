// The console's two commands.
#pragma once

struct console;

// Serves the pending command: "quit" raises quit_flag, "vid_restart"
// raises restart_video_flag, anything else prints "Invalid command". The
// command is cleared either way. Called by the game tick when a command is
// pending and no variable changed.
void run_command(console& con);
