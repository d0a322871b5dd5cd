// Fullscreen on the desktop: the picture fitted to a screen that may not
// offer the chosen mode, and Alt+Enter to switch between it and the window.
#pragma once

struct game_state;

// The part of a `screen_width` x `screen_height` drawable that shows a
// `width` x `height` picture: the largest rectangle of the picture's shape,
// centred, as x, y, width, height. The whole drawable when the shapes agree.
void fullscreen_viewport(int width, int height, int screen_width, int screen_height, int out[4]);

// After a fullscreen window and its context are made: logs when the display
// has no mode of the window's size (the window then covers the desktop at
// its own resolution) and points the GL viewport at the fitted picture, so
// the view keeps the shape of the chosen mode. Called by create_window.
void fullscreen_fit_picture(game_state& gs);

// When Alt and Return have just gone down together: flips vid_fullscreen
// and asks for the video restart, which the next due pass serves (as Apply
// on the options page does). Called by the main loop once per due tick.
void fullscreen_toggle_pass(game_state& gs);
