// The game window and its GL context, opened at start-up and by restart_video.
#pragma once

struct game_state;
struct platform_window;

// The window's title, also its class name.
extern const char game_window_title[];

// Makes the window's GL context current. When that fails, logs it with the
// platform's error and carries on.
void create_gl_context(platform_window* window);

// Start-up: reads the desktop size, switches to fullscreen when asked,
// creates and shows the window and makes its GL context.
void open_game_window(game_state& gs);

// Rebuilds window, context and textures from the current variables: the
// catalogue again and the level's world textures from "data/textures/world".
// Called by the main loop when restart_video_flag is set.
void restart_video(game_state& gs);

// Shutdown: no context current, the context deleted, the window destroyed.
void close_game_window(game_state& gs);

// Enables blending by source alpha and 2-D texturing, the state every frame
// is drawn with.
void set_gl_blend_state();
