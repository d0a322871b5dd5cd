// The icon the desktop shows for the game's window.
#pragma once

struct platform_window;

// Where the icon image lies, relative to the game's directory.
extern const char window_icon_path[];

// The largest icon side accepted; desktops show icons far smaller.
constexpr int window_icon_max_side = 256;

// Gives the window the image at window_icon_path. A missing or damaged
// image is logged and the window keeps the desktop's default icon. Called
// for every window the game opens (start-up and restart_video).
void set_window_icon(platform_window* window);
