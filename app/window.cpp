// The game window and its GL context, opened at start-up and by restart_video.
#include "app/window.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "app/fullscreen.h"
#include "app/game_state.h"
#include "app/texture_catalogue.h"
#include "app/window_icon.h"
#include "base/flags.h"
#include "base/texture_load.h"
#include "platform/directory.h"
#include "platform/events.h"
#include "platform/window.h"
#include "world/world_texture.h"
#include "world_draw/tree_textures.h"
#include "world_draw/world_pass.h"

const char game_window_title[] = "Tarvo 3D Engine";

namespace {

// Buffer swaps wait for the display's refresh when vsync is on.
void apply_vsync(game_state& gs) {
  if (!platform_set_swap_interval(gs.window, gs.video.vsync ? 1 : 0))
    printf("vsync: cannot turn it %s: %s\n", gs.video.vsync ? "on" : "off", platform_error());
}

// Creates and shows the window in the current video settings, with its
// context. A fullscreen window changes the display mode to its size.
void create_window(game_state& gs) {
  bool fullscreen = gs.video.fullscreen == 1;
  if (fullscreen) {
    fullscreen_active_flag = 1;
    platform_capture_mouse(true);
  }
  gs.window = platform_create_window(game_window_title, gs.video.width, gs.video.height, fullscreen);
  if (!gs.window) printf("window: %s\n", platform_error());
  create_gl_context(gs.window);
  if (!gs.window) return;
  fullscreen_fit_picture(gs);
  apply_vsync(gs);
  set_window_icon(gs.window);
}

// Gives the display its desktop mode back when a fullscreen window is left
// for a windowed one. Destroying the fullscreen window already restored it.
void leave_fullscreen(game_state& gs) {
  if (!fullscreen_active_flag) return;
  printf("Resetting vid fs to %d %d\n", gs.video.desktop_width, gs.video.desktop_height);
  platform_capture_mouse(false);
  fullscreen_active_flag = 0;
}

// Reloads every entry of the level's world-texture list into the new
// context, from the list's true beginning (the table holds the id-1 entry,
// which need not be the first), and notes each entry's old and new name.
void reload_world_textures(game_state& gs, std::vector<texture_rename>& renames) {
  char remembered[260];
  platform_get_current_directory(remembered, sizeof remembered);
  if (!platform_set_current_directory("data/textures/world"))
    printf("restart: no directory \"data/textures/world\"\n");
  world_texture* entry = gs.textures.world_textures;
  while (entry && entry->prev) entry = entry->prev;
  for (; entry; entry = entry->next) {
    uint32_t old_name = entry->texture;
    entry->texture = load_texture(entry->path, true, &entry->image);
    if (old_name) renames.push_back({old_name, entry->texture});
  }
  platform_set_current_directory(remembered);
}

}  // namespace

void create_gl_context(platform_window* window) {
  if (platform_create_gl_context(window)) return;
  printf("fialed lst err %d\n", errno);
  printf("gl: %s\n", platform_error());
}

void open_game_window(game_state& gs) {
  int width = 0;
  int height = 0;
  if (platform_desktop_size(&width, &height)) {
    gs.video.desktop_width = width;
    gs.video.desktop_height = height;
  }
  create_window(gs);
}

void restart_video(game_state& gs) {
  uint32_t old_default_texture = gs.textures.slots[tex_default_world];
  close_game_window(gs);
  // The world pass's programs, texture array and light atlas went with it.
  world_pass_forget_context(gs.renderer.world_pass);
  printf("FULL RESTART OF ALL VIDEO BEGINS!\n\n");
  apply_video_vars_into(gs.config, gs.video);
  if (gs.video.fullscreen != 1) leave_fullscreen(gs);
  create_window(gs);
  load_texture_catalogue(gs.textures);
  std::vector<texture_rename> renames;
  if (old_default_texture) renames.push_back({old_default_texture, gs.textures.slots[tex_default_world]});
  reload_world_textures(gs, renames);
  tree_textures_move_in(gs.bsp_root, renames);
  printf("EXited the function and NOW going to update the loop!\n\n");
  set_gl_blend_state();
  printf("pw %d ph %d\n", gs.video.desktop_width, gs.video.desktop_height);
}

void close_game_window(game_state& gs) {
  if (!gs.window) return;
  platform_destroy_gl_context(gs.window);
  platform_destroy_window(gs.window);
  gs.window = nullptr;
}

void set_gl_blend_state() {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
}
