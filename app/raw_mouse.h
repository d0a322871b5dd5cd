// Reading one raw mouse message into mouse_state.
#pragma once

struct mouse_state;
struct platform_event;

// Copies both buttons to their previous values, applies the message's
// button transitions, and replaces the motion with the message's own: with
// several messages in one pass only the last one's motion counts.
void read_raw_mouse(mouse_state& mouse, const platform_event& event);
