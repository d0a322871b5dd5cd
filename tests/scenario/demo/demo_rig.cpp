// A game on a small compiled level, played through the main loop's game pass.
#include "tests/scenario/demo/demo_rig.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/free_game_resources.h"
#include "app/run_game.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "config/video_settings.h"
#include "player/bind_keys.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "tests/tools/mapc/mapc_load.h"
#include "world/bsp_node.h"

namespace {

// The keys the live keyboard holds during the current pass.
std::set<int> held_keys;

bool scripted_key_down(int vk) { return held_keys.count(vk) != 0; }

}  // namespace

std::string arena_source() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  std::string path = std::string(source ? source : ".") + "/tests/scenario/demo/arena.lvl";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool compile_grid_to(const std::string& text, const std::string& path) {
  mapc_source src;
  mapc_result result;
  mapc_log compile_log;
  if (!compile_text(text, "arena.lvl", src, result, compile_log)) {
    std::string errors;
    for (const std::string& line : compile_log.errors) errors += line + "\n";
    ADD_FAILURE() << "the level does not compile:\n" << errors;
    return false;
  }
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) {
    ADD_FAILURE() << "cannot write " << path;
    return false;
  }
  fwrite(result.text.data(), 1, result.text.size(), file);
  fclose(file);
  return true;
}

temp_folder::temp_folder() {
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp ? tmp : "/tmp") + "/tarvo_demo_XXXXXX";
  if (mkdtemp(&pattern[0])) path = pattern;
}

temp_folder::~temp_folder() {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

bool demo_rig::start(const game_options& opts, int fps) {
  if (!test_gl_context()) {
    ADD_FAILURE() << "no GL context";
    return false;
  }
  options = opts;
  reset_program_flags();
  gs = new game_state{};
  gs->options = options;
  // The shipped variables, as the game reads them at start-up.
  set_config_defaults(gs->config);
  const char* data = getenv("TARVO_DATA_DIR");
  capture_stdout_begin();
  read_config_file_at(gs->config, (std::string(data ? data : "data") + "/config.cfg").c_str());
  log += capture_stdout_end();
  config_find(gs->config, "vid_fps")->value.as_int = fps;
  apply_video_vars_into(gs->config, gs->video);
  gs->entity_list = entity_list_new_head();
  gs->bsp_root = new bsp_node{};
  gs->keys = new key_state{};
  player_init(gs->the_player, gs->config);
  bind_keys(gs->config, gs->video, gs->the_player);
  session.live_keys = scripted_key_down;

  capture_stdout_begin();
  bool opened = demo_session_open(session, options);
  if (opened) {
    gs->demo = &session;
    demo_session_begin(session, *gs);
  }
  bool entered = opened && enter_level(*gs, demo_session_map(session, options));
  log += capture_stdout_end();
  if (!opened || !entered) ADD_FAILURE() << "the session did not start:\n" << log;
  return opened && entered;
}

void demo_rig::pass(const std::set<int>& keys_down, const mouse_state& mouse) {
  held_keys = keys_down;
  gs->mouse = mouse;
  capture_stdout_begin();
  game_pass(*gs);
  log += capture_stdout_end();
  gs->mouse.x_motion = 0;
  gs->mouse.y_motion = 0;
  held_keys.clear();
}

int demo_rig::pass_until_quit(int limit) {
  int n = 0;
  while (quit_flag == 0 && n < limit && !gs->menu.active) {
    pass();
    ++n;
  }
  return n;
}

void demo_rig::finish() {
  if (!gs) return;
  capture_stdout_begin();
  demo_session_close(session, *gs);
  free_game_resources(*gs);
  delete_sound_source(gs->the_player.sound_source);
  log += capture_stdout_end();
  delete gs;
  gs = nullptr;
  reset_program_flags();
}

demo_rig::~demo_rig() { finish(); }
