// The game window and its OpenGL context, on SDL2.
#pragma once
#include <cstdint>

// One window with its GL context. Opaque outside platform/.
struct platform_window;

// Starts SDL's video, timer and event subsystems. Called once by run_game
// before anything else; false means no window can ever be made.
bool platform_init();

// Ends what platform_init started. Called at the very end of run_game.
void platform_quit();

// Reads the desktop display mode into width and height; false when SDL
// cannot tell (the values are then left unchanged).
bool platform_desktop_size(int* width, int* height);

// Creates and shows a window titled `title` whose client area is exactly
// width x height. With fullscreen set, the display switches to that size;
// when it has no such mode the window covers the desktop at the desktop's
// own resolution instead (SDL's desktop fullscreen), leaving the mode alone.
// `hidden` keeps the window unmapped (tests). Null when SDL refuses.
platform_window* platform_create_window(const char* title, int width, int height, bool fullscreen,
                                        bool hidden = false);

// Creates the window's legacy OpenGL context (8/8/8 colour, 16-bit depth,
// double-buffered) and makes it current. False when it cannot be made
// current; the reason is in platform_error().
bool platform_create_gl_context(platform_window* window);

// Makes no context current and deletes the window's context, if any.
void platform_destroy_gl_context(platform_window* window);

// Destroys the window (and its context, if still there). Leaving a
// fullscreen window gives the desktop its own mode back.
void platform_destroy_window(platform_window* window);

// Sets how many display refreshes a buffer swap waits for on the window's
// current context: 0 swaps at once (vsync off), 1 waits for the next
// refresh (vsync on). False when the driver refuses; the reason is in
// platform_error().
bool platform_set_swap_interval(platform_window* window, int interval);

// The swap interval of the current context as the driver reports it: 0 or
// 1, or -1 for adaptive vsync.
int platform_swap_interval();

// Gives the window the icon the desktop shows for it: `width` x `height`
// RGBA pixels, top row first. False when SDL cannot make the image.
bool platform_set_window_icon(platform_window* window, const uint8_t* rgba, int width, int height);

// Whether the display offers a mode of exactly width x height.
bool platform_display_has_mode(int width, int height);

// Whether a fullscreen window covers the desktop at the desktop's own
// resolution because the display has no mode of the window's size.
bool platform_window_desktop_fullscreen(const platform_window* window);

// The size of the window's GL drawable in pixels.
void platform_drawable_size(const platform_window* window, int* width, int* height);

// Shows the back buffer.
void platform_swap(platform_window* window);

// The client area's size in pixels.
void platform_window_size(const platform_window* window, int* width, int* height);

// SDL's text for the last failure.
const char* platform_error();
