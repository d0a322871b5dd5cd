// The program-wide flags that subsystems raise for the main loop.
#pragma once
#include <cstdint>

// Ends the main loop at the end of the pass in which it is set.
extern int32_t quit_flag;
// Set by the vid_restart command; served by the next due pass.
extern uint8_t restart_video_flag;
// Set when the level is completed; cleared by unload_level.
extern uint8_t level_done_flag;
// Whether the window has the keyboard focus; starts true.
extern uint8_t window_focus_flag;
// True while the display mode has been changed for fullscreen.
extern uint8_t fullscreen_active_flag;

// Puts every flag back to its start-up value (tests run several games).
void reset_program_flags();
