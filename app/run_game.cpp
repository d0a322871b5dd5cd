// The program's entry routine: start-up, the fixed-step main loop, shutdown.
#include "app/run_game.h"

#include <cstdio>

#include "app/demo_session.h"
#include "app/free_game_resources.h"
#include "app/fullscreen.h"
#include "app/game_tick.h"
#include "app/gamepad_pass.h"
#include "app/level_load.h"
#include "app/level_unload.h"
#include "app/raw_mouse.h"
#include "app/screenshot.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "app/window_proc.h"
#include "audio/audio_device.h"
#include "audio/fixed_sounds.h"
#include "audio/music.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "config/keyboard_poll.h"
#include "game/campaign.h"
#include "game/entity_sources.h"
#include "game/menu_controls.h"
#include "game/menu_frame.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "player/bind_keys.h"
#include "render/render_frame.h"
#include "world/bsp_node.h"
#include "world/world_vis.h"

// Everything before the loop, in its fixed order.
void start_up_game(game_state& gs) {
  gs.textures = texture_table{};
  load_config(gs.config, gs.video);
  gs.mouse.x_motion = 0;
  gs.mouse.y_motion = 0;
  open_game_window(gs);

  gs.entity_list = entity_list_new_head();
  gs.bsp_root = new bsp_node{};
  gs.keys = new key_state{};
  gs.the_console = console{};

  gs.sounds = init_audio();
  load_fixed_sounds(gs.sounds);
  printf("passed ini audio \n");
  give_entity_sources(gs.entity_list);  // the bare head gets none
  printf("passed init_entaudio\n");

  load_texture_catalogue(gs.textures);
  set_gl_blend_state();
  gs.renderer.legacy_renderer = legacy_renderer_chosen();
  printf("passed ogl\n");

  player_init(gs.the_player, gs.config);
  printf("passed initplayer\n");

  gs.video.frame_counter = 0;
  gs.video.fps_time = 0.0;
  gs.video.fps_value = 0;
  gs.menu = menu_state{};
  gs.menu.active = 1;
  gs.menu.cursor = 1;
  loop_timing_start(gs.timing, platform_counter_frequency(), platform_counter());
  bind_keys(gs.config, gs.video, gs.the_player);
  gs.music_buffer = 0;
}

namespace {

// The player starts on the level's first player_start, at the origin when
// the level has none.
void place_player_on_start(game_state& gs) {
  double* pos = gs.the_player.pos;
  pos[0] = pos[1] = pos[2] = 0.0;
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (e->type != 1) continue;
    pos[0] = e->pos[0];
    pos[1] = e->pos[1];
    pos[2] = e->pos[2];
    break;
  }
}

}  // namespace

bool enter_level(game_state& gs, const char* path) {
  gs.menu.active = 0;
  if (!load_level(path, gs.entity_list, gs.textures, gs.bsp_root, gs.ai_node_list, gs.the_player,
                  gs.config)) {
    gs.menu.active = 1;
    gs.menu.start_level_request = 0;
    return false;
  }
  world_vis_load(gs.renderer.world_pass.vis, path, gs.bsp_root);
  bind_keys(gs.config, gs.video, gs.the_player);
  place_player_on_start(gs);
  start_level_music(gs.sounds, gs.music_buffer);
  return true;
}

namespace {

// With --map the level starts before the loop, as if the menus had asked
// for it. False when that map cannot be loaded.
bool start_map_option(game_state& gs) {
  if (!gs.options.map_path) return true;
  if (enter_level(gs, gs.options.map_path)) return true;
  printf("--map: cannot play \"%s\"\n", gs.options.map_path);
  return false;
}

}  // namespace

bool menu_pass(game_state& gs, key_down_test key_down) {
  if (gs.mouse.left == 1 && gs.menu.splash_timer < 3.0) gs.menu.splash_timer = 3.0;
  if (menu_frame(gs.menu, gs.textures, gs.sounds, *gs.keys, gs.video.tick_step, gs.music_buffer,
                 gs.the_player, gs.config, key_down) == menu_quit)
    return false;
  if (gs.menu.start_level_request) {
    gs.mouse.left = 0;
    if (!enter_level(gs, gs.menu.map_path)) campaign_level_not_started(gs.menu);
  }
  return true;
}

void game_pass(game_state& gs) {
  platform_capture_mouse(!gs.the_console.console_open && window_focus_flag);
  if (gs.demo)
    demo_tick_input(*gs.demo, gs);
  else
    poll_keyboard(*gs.keys);
  game_tick_after_input(gs);
  // Dead for more than six seconds, or the level completed: back to the menus.
  bool level_over = (gs.the_player.health < 1 && gs.the_player.death_timer > 6.0) || level_done_flag;
  if (gs.demo) demo_tick_done(*gs.demo, gs, level_over);
  if (level_over) {
    printf("getting a vibe!\n");
    leave_level_music(gs.sounds, gs.music_buffer);
    unload_level(gs.the_player, gs.bsp_root, gs.textures, gs.entity_list, gs.ai_node_list, gs.menu);
  }
}

namespace {

// Takes every waiting message. Raw mouse messages fill mouse_state while
// the console is closed; the rest go to window_proc.
void drain_messages(game_state& gs, int& exit_code) {
  platform_event event;
  while (platform_poll_event(&event)) {
    exit_code = event.exit_code;
    if (event.kind == platform_event_quit) {
      quit_flag = 1;
    } else if (event.kind == platform_event_mouse) {
      if (!gs.the_console.console_open) read_raw_mouse(gs.mouse, event);
    } else {
      window_proc(event);
    }
  }
}

// The fixed-step loop: at most one tick per pass, a backlog dropped rather
// than caught up. A timed demo runs it flat out instead: every pass ticks,
// without sleeping. Returns the exit code of the last message taken.
int main_loop(game_state& gs) {
  int exit_code = 0;
  while (quit_flag == 0) {
    bool flat_out = demo_session_flat_out(gs.demo);
    if (!flat_out) platform_sleep_ms(1);
    if (!loop_timing_advance(gs.timing, platform_counter(), gs.video.tick_step) && !flat_out) continue;
    if (flat_out) gs.timing.accumulator = gs.video.tick_step;
    if (restart_video_flag) {
      restart_video_flag = 0;
      restart_video(gs);
      continue;
    }
    loop_timing_drop_backlog(gs.timing, gs.video);
    // Escape ends the game, except where the menus use it: on the Controls
    // page it cancels a binding or goes back, and a press they took must be
    // let go before it can end the game.
    if (platform_key_down(vk_escape) && !menu_takes_escape(gs.menu)) break;
    drain_messages(gs, exit_code);
    gamepad_pass(gs);
    fullscreen_toggle_pass(gs);
    if (gs.menu.active) {
      if (!menu_pass(gs)) break;
    } else {
      game_pass(gs);
    }
    loop_timing_consume(gs.timing, gs.video.tick_step);
    gs.mouse.x_motion = 0;
    gs.mouse.y_motion = 0;
    screenshots_after_tick(gs.capture, gs.options, gs.window);
    platform_swap(gs.window);
    loop_count_frame(gs.video);
    fflush(stdout);
  }
  return exit_code;
}

}  // namespace

// A loaded level is released with the records of the run; in the menus only
// the start-up records are left, and they go the same way so nothing leaks.
void shut_down_game(game_state& gs) {
  free_game_resources(gs);
  delete_sound_source(gs.the_player.sound_source);
  close_audio(gs.sounds, gs.music_buffer);
  close_game_window(gs);
  fflush(stdout);
}

int run_game(const game_options& options) {
  // A demo that cannot be replayed, or recorded, ends the program before a
  // window opens.
  demo_session* demo = nullptr;
  if (options.demo_path || options.record_path || options.check_rules) {
    demo = new demo_session{};
    if (!demo_session_open(*demo, options)) {
      delete demo;
      fflush(stdout);
      return 1;
    }
  }
  if (!platform_init()) {
    delete demo;
    return 0;
  }
  reset_program_flags();
  gamepad_start();
  game_state* gs = new game_state{};
  gs->options = options;
  gs->demo = demo;
  start_up_game(*gs);
  if (demo) {
    gs->options.map_path = demo_session_map(*demo, options);
    demo_session_begin(*demo, *gs);
  }
  int exit_code = start_map_option(*gs) ? main_loop(*gs) : 1;
  // A recording that could not be written is a failure, whatever the loop ended on.
  if (demo && !demo_session_close(*demo, *gs)) exit_code = 1;
  screenshots_report_missed(gs->capture, gs->options);
  shut_down_game(*gs);
  delete gs;
  delete demo;
  gamepad_stop();
  platform_quit();
  return exit_code;
}
