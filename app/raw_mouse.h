// Reading one raw mouse message into mouse_state.
#pragma once

struct mouse_state;
struct platform_event;

// Copies both buttons to their previous values, applies the message's
// button transitions, and adds the message's motion to the tick's motion.
// A mouse reports up to a thousand times a second, one message per report,
// so a tick sums many of them; the main loop zeroes the sum after the tick.
void read_raw_mouse(mouse_state& mouse, const platform_event& event);
