// A game on a small compiled level, played tick by tick through the main
// loop's own game pass while a demo session records or replays it.
#pragma once
#include <set>
#include <string>

#include "app/demo_session.h"
#include "app/game_state.h"

// The text of tests/scenario/demo/arena.lvl, the level the demo tests play: three
// enemies ahead of the player's start, and the exit portal behind it.
std::string arena_source();

// Compiles grid level text with the map compiler into `path`. False (with
// a test failure) when it does not compile or cannot be written.
bool compile_grid_to(const std::string& text, const std::string& path);

// A folder of its own under the temporary directory, removed with its files.
struct temp_folder {
  std::string path;
  temp_folder();
  ~temp_folder();
  std::string file(const std::string& name) const { return path + "/" + name; }
};

struct demo_rig {
  game_state* gs = nullptr;
  demo_session session{};
  game_options options{};
  std::string log;  // what the game printed

  // Starts a game as run_game does, without a window: the shipped
  // variables with `fps` ticks a second, the session opened from `options`
  // and begun, then the session's map entered. False (with a test failure)
  // when any step refuses.
  bool start(const game_options& opts, int fps = 60);
  // Runs one pass of the level, as the main loop does: the game pass with
  // `keys_down` (virtual-key codes) as the live keyboard and `mouse` as the
  // messages drained before it, then the tick's motion zeroed.
  void pass(const std::set<int>& keys_down = {}, const mouse_state& mouse = mouse_state{});
  // Passes with nothing held until the session ends the loop (quit_flag)
  // or `limit` passes have run; the number run.
  int pass_until_quit(int limit);
  // After the loop: the session closed (recording written, replay results
  // printed) and the game's records freed. Called by the destructor when
  // not called before.
  void finish();
  ~demo_rig();
};

// Virtual-key codes the scripts hold.
constexpr int vk_w = 'W';
constexpr int vk_d = 'D';
constexpr int vk_ctrl = 0x11;
constexpr int vk_grave = 0xC0;
