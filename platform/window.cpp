// The game window and its OpenGL context, on SDL2.
#include "platform/window.h"

#include <SDL.h>

struct platform_window {
  SDL_Window* window;
  SDL_GLContext context;
  bool fullscreen;
  bool desktop_fullscreen;  // fullscreen without a mode change
};

bool platform_init() { return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0; }

void platform_quit() { SDL_Quit(); }

bool platform_desktop_size(int* width, int* height) {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  *width = mode.w;
  *height = mode.h;
  return true;
}

platform_window* platform_create_window(const char* title, int width, int height, bool fullscreen,
                                        bool hidden) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

  Uint32 flags = SDL_WINDOW_OPENGL | (hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
  // A size the display cannot show would leave SDL to pick some other mode
  // and the picture in a corner of it: the desktop's own mode is used then.
  bool desktop = fullscreen && !platform_display_has_mode(width, height);
  if (desktop)
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  else if (fullscreen)
    flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window* sdl_window =
      SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (!sdl_window) return nullptr;
  if (fullscreen && !desktop) {
    // The display takes the window's own size, 32 bits per pixel.
    SDL_DisplayMode mode{};
    mode.w = width;
    mode.h = height;
    mode.format = SDL_PIXELFORMAT_RGB888;
    SDL_SetWindowDisplayMode(sdl_window, &mode);
  }
  platform_window* window = new platform_window{};
  window->window = sdl_window;
  window->fullscreen = fullscreen;
  window->desktop_fullscreen = desktop;
  return window;
}

bool platform_create_gl_context(platform_window* window) {
  if (!window) return false;
  window->context = SDL_GL_CreateContext(window->window);
  if (!window->context) return false;
  return SDL_GL_MakeCurrent(window->window, window->context) == 0;
}

void platform_destroy_gl_context(platform_window* window) {
  if (!window || !window->context) return;
  SDL_GL_MakeCurrent(window->window, nullptr);
  SDL_GL_DeleteContext(window->context);
  window->context = nullptr;
}

void platform_destroy_window(platform_window* window) {
  if (!window) return;
  platform_destroy_gl_context(window);
  SDL_DestroyWindow(window->window);
  delete window;
}

bool platform_set_swap_interval(platform_window* window, int interval) {
  if (!window || !window->context) return false;
  return SDL_GL_SetSwapInterval(interval) == 0;
}

int platform_swap_interval() { return SDL_GL_GetSwapInterval(); }

bool platform_set_window_icon(platform_window* window, const uint8_t* rgba, int width, int height) {
  if (!window || !rgba || width <= 0 || height <= 0) return false;
  // SDL only reads the pixels while making its own copy for the window.
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_RGBA32);
  if (!surface) return false;
  SDL_SetWindowIcon(window->window, surface);
  SDL_FreeSurface(surface);
  return true;
}

bool platform_display_has_mode(int width, int height) {
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) return true;
  }
  return false;
}

bool platform_window_desktop_fullscreen(const platform_window* window) {
  return window && window->desktop_fullscreen;
}

void platform_drawable_size(const platform_window* window, int* width, int* height) {
  *width = 0;
  *height = 0;
  if (window) SDL_GL_GetDrawableSize(window->window, width, height);
}

void platform_swap(platform_window* window) {
  if (window) SDL_GL_SwapWindow(window->window);
}

void platform_window_size(const platform_window* window, int* width, int* height) {
  *width = 0;
  *height = 0;
  if (window) SDL_GetWindowSize(window->window, width, height);
}

const char* platform_error() { return SDL_GetError(); }
