// The handler of the window's messages.
#pragma once

#include "platform/events.h"

// Handles one dispatched window message: focus kept in window_focus_flag,
// a close request ends the loop. Returns 0 for the messages it handles.
int window_proc(const platform_event& event);
