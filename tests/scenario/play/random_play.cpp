// Random play of the campaign's levels through the game as it runs.
#include "tests/scenario/play/random_play.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/demo_session.h"
#include "app/game_state.h"
#include "app/level_unload.h"
#include "app/raw_mouse.h"
#include "app/run_game.h"
#include "app/window.h"
#include "audio/music.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "game/level_table.h"
#include "player/bind_keys.h"
#include "tests/scenario/play/random_hands.h"

namespace fs = std::filesystem;

namespace {

// The keys the random hands hold during the current pass.
std::set<int> keys_down;
bool random_key_down(int vk) { return keys_down.count(vk) != 0; }
bool space_down(int vk) { return vk == vk_space; }

// The game's log goes to a file in the scratch folder while a level plays.
struct log_to_file {
  int saved;
  explicit log_to_file(const std::string& path) {
    fflush(stdout);
    saved = dup(1);
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    close(fd);
  }
  ~log_to_file() {
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
  }
};

// One play: the hands, and the life being recorded and held to the rules.
struct play {
  play_game& game;
  game_state& gs;
  int level;
  random_hands hands;
  demo_session session{};
  size_t longest_list = 0;  // over the lives before the current one
};

std::string demo_path(const play& pl) { return pl.game.folder + "/life.dem"; }

// A new life starts as a recorded --map --check start does: counters at 0,
// the console closed and empty; then the recording begins and the level
// loads, through the death screen when `after_death`, as the game does it.
std::string begin_life(play& pl, bool after_death) {
  game_state& gs = pl.gs;
  player& p = gs.the_player;
  p.kills = p.score = p.mice = 0;
  p.kills_at_level_start = p.score_at_level_start = p.mice_at_level_start = 0;
  gs.the_console = console{};
  pl.longest_list = std::max(pl.longest_list, pl.session.watch.longest_list);
  pl.session = demo_session{};
  game_options options{};
  options.check_rules = 1;
  options.map_path = level_table[pl.level].map_path;
  std::string path = demo_path(pl);
  options.record_path = path.c_str();
  if (!demo_session_open(pl.session, options)) return "the recording cannot start";
  pl.session.live_keys = random_key_down;
  gs.demo = &pl.session;
  demo_session_begin(pl.session, gs);
  if (after_death) {
    for (int pass = 0; pass < 100 && gs.menu.active; ++pass) menu_pass(gs, space_down);
    if (gs.menu.active) return "Space on the death screen did not start the level again";
  } else if (!enter_level(gs, options.map_path)) {
    return "the level does not load";
  }
  return "";
}

// The level was left in the last pass (death or completion), or quit was
// typed: the game would now show a screen or end; the play goes on with a
// new life.
std::string next_life(play& pl, play_figures& figures) {
  game_state& gs = pl.gs;
  bool quit = quit_flag != 0;
  bool died = !quit && gs.menu.death_screen && pl.level != secret_level;
  if (quit) {
    demo_session_close(pl.session, gs);
    quit_flag = 0;
    figures.quits += 1;
    if (!gs.menu.active) {
      leave_level_music(gs.sounds, gs.music_buffer);
      unload_level(gs.the_player, gs.bsp_root, gs.textures, gs.entity_list, gs.ai_node_list, gs.menu);
    }
  } else if (gs.menu.death_screen) {
    figures.deaths += 1;
    const player& p = gs.the_player;
    if (p.kills != p.kills_at_level_start || p.score != p.score_at_level_start ||
        p.mice != p.mice_at_level_start)
      return "a death did not put the counters back to the level's start";
  } else {
    figures.completions += 1;
  }
  figures.restarts += 1;
  return begin_life(pl, died);
}

// Keeps the recording of the life that broke a rule, and says where.
std::string keep_demo(play& pl, unsigned long long seed) {
  demo_session_close(pl.session, pl.gs);
  std::string map = fs::path(level_table[pl.level].map_path).stem().string();
  std::string kept = pl.game.keep_folder + "/seed" + std::to_string(seed) + "_" + map + "_tick" +
                     std::to_string(pl.session.check_ticks) + ".dem";
  std::error_code failed;
  fs::create_directories(pl.game.keep_folder, failed);
  fs::copy_file(demo_path(pl), kept, fs::copy_options::overwrite_existing, failed);
  return failed ? "(the demo could not be kept: " + failed.message() + ")"
                : "tarvo --playdemo " + kept + " --check replays the life to it";
}

// One pass of the loop, as the main loop runs it: a video restart asked for
// is served instead of a tick; otherwise the mouse messages are read while
// the console is closed, and the game pass runs.
bool loop_pass(play& pl, play_figures& figures) {
  game_state& gs = pl.gs;
  if (restart_video_flag) {
    restart_video_flag = 0;
    restart_video(gs);
    figures.video_restarts += 1;
    return false;
  }
  std::vector<platform_event> mouse;
  pl.hands.next_pass(gs.the_player, gs.config, keys_down, mouse);
  if (!gs.the_console.console_open)
    for (const platform_event& e : mouse) read_raw_mouse(gs.mouse, e);
  game_pass(gs);
  gs.mouse.x_motion = 0;
  gs.mouse.y_motion = 0;
  figures.ticks += 1;
  return true;
}

}  // namespace

bool play_game::start(const std::string& data_dir, const std::string& keep) {
  keep_folder = fs::absolute(keep).string();
  char pattern[] = "/tmp/tarvo_play_XXXXXX";
  if (!mkdtemp(pattern)) return false;
  folder = pattern;
  std::error_code failed;
  fs::create_directories(folder + "/data");
  for (const char* part : {"maps", "textures", "sound"})
    fs::create_directory_symlink(fs::absolute(data_dir + "/" + part), folder + "/data/" + part, failed);
  // The shipped config with the smallest window: the frames cost little.
  std::ifstream shipped(data_dir + "/config.cfg");
  if (failed || !shipped.is_open()) {
    fprintf(stderr, "random play: no generated data in %s\n", data_dir.c_str());
    return false;
  }
  std::ofstream config(folder + "/data/config.cfg");
  for (std::string line; std::getline(shipped, line);)
    config << (line.rfind("vid_mode ", 0) == 0 ? "vid_mode 0" : line) << "\n";
  config.close();
  previous = fs::current_path().string();
  fs::current_path(folder);
  log_to_file log(folder + "/game.log");
  reset_program_flags();
  gs = new game_state{};
  start_up_game(*gs);
  return true;
}

play_game::~play_game() {
  if (gs) {
    log_to_file log(folder + "/game.log");
    shut_down_game(*gs);
    delete gs;
  }
  if (!previous.empty()) fs::current_path(previous);
  std::error_code ignored;
  if (!folder.empty()) fs::remove_all(folder, ignored);
}

std::string random_play(play_game& game, unsigned long long seed, int level, int ticks,
                        play_figures& figures) {
  game_state& gs = *game.gs;
  play pl{game, gs, level, random_hands(seed * 131 + static_cast<unsigned long long>(level))};
  std::string broken;
  {
    log_to_file log(game.folder + "/game.log");
    load_config(gs.config, gs.video);
    quit_flag = restart_video_flag = level_done_flag = 0;
    gs.the_player.level_number = level;
    *gs.keys = key_state{};
    gs.mouse = mouse_state{};
    broken = begin_life(pl, false);
    for (int tick = 0; broken.empty() && tick < ticks;) {
      if (!loop_pass(pl, figures)) continue;
      ++tick;
      if (!pl.session.check_failure.empty())
        broken = pl.session.check_failure;
      else if (quit_flag || gs.menu.active)
        broken = next_life(pl, figures);
    }
    figures.plays += 1;
    figures.console_lines += pl.hands.lines_typed;
    figures.longest_list = std::max({figures.longest_list, pl.longest_list, pl.session.watch.longest_list});
    if (!broken.empty()) broken += "; " + keep_demo(pl, seed);
    gs.demo = nullptr;
    if (!gs.menu.active) {
      leave_level_music(gs.sounds, gs.music_buffer);
      unload_level(gs.the_player, gs.bsp_root, gs.textures, gs.entity_list, gs.ai_node_list, gs.menu);
    }
  }
  if (broken.empty()) return "";
  figures.findings += 1;
  char where[160];
  snprintf(where, sizeof where, "seed %llu level %d (%s), in the life's ", seed, level,
           level_table[level].map_path);
  return where + broken;
}
