// Recording and replaying demos beside the main loop.
//
// A demo holds what each tick of a level saw: the key slots right after
// the keyboard poll (as changes from the tick before) and the mouse state
// after the messages were drained. Everything else a tick does follows from
// those, the records it starts from and the C library's generator, which a
// session restarts from its initial seed at the level's start. So a replay
// that feeds the same input to the same build passes through the same
// states; the digest kept for every tick shows the first one where it does
// not.
#include "app/demo_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/demo_state.h"
#include "app/game_state.h"
#include "base/flags.h"
#include "config/skill.h"
#include "config/video_settings.h"
#include "platform/directory.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace {

constexpr size_t path_size = 4096;
constexpr size_t line_size = 256;

// The variables that describe the player's screen rather than the play:
// a replay keeps the local ones.
bool window_variable(int index) {
  return index == cfg_vid_fullscreen || index == cfg_vid_mode || index == cfg_vid_vsync;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string current_directory() {
  char directory[path_size];
  return platform_get_current_directory(directory, sizeof directory) ? directory : ".";
}

bool readable_file(const std::string& path) {
  return access(path.c_str(), R_OK) == 0 && !platform_is_directory(path.c_str());
}

// `path` with `folder` and the slash after it taken off, or empty when the
// path does not lie inside that folder.
std::string inside(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.size() <= folder.size() + 1) return "";
  if (path.compare(0, folder.size(), folder) != 0 || path[folder.size()] != '/') return "";
  return path.substr(folder.size() + 1);
}

// How a demo names its map: beside the demo (or below it) by a relative
// path, else relative to the game's folder, else in full. Demos committed
// with their maps, and demos of the game's own levels, so play from any
// checkout.
std::string map_name_for_demo(const std::string& map, const std::string& demo_path) {
  std::string beside = inside(map, folder_of(demo_path));
  if (!beside.empty()) return beside;
  std::string in_game = inside(map, current_directory());
  if (!in_game.empty()) return in_game;
  return map;
}

// Finds a replayed demo's map on disk; empty when it is nowhere.
std::string find_map(const std::string& named, const std::string& demo_path) {
  if (!named.empty() && named[0] == '/') return readable_file(named) ? named : "";
  std::string beside = folder_of(demo_path) + "/" + named;
  if (readable_file(beside)) return beside;
  std::string in_game = current_directory() + "/" + named;
  if (readable_file(in_game)) return in_game;
  return "";
}

bool open_replay(demo_session& s, const game_options& options) {
  s.replaying = true;
  s.timing = options.timedemo != 0;
  s.demo_path = options.demo_path;
  if (!demo_read_file(options.demo_path, s.played)) return false;
  if (s.played.ticks.empty()) {
    printf("demo \"%s\" refused: it holds no tick\n", options.demo_path);
    return false;
  }
  s.played_map = find_map(s.played.map_path, s.demo_path);
  if (s.played_map.empty()) {
    printf("demo \"%s\" refused: its map \"%s\" is missing (looked beside the demo and in %s)\n",
           options.demo_path, s.played.map_path.c_str(), current_directory().c_str());
    return false;
  }
  uint64_t digest = 0;
  if (file_digest(s.played_map.c_str(), &digest) && digest != s.played.map_digest)
    printf("demo \"%s\": the map \"%s\" has changed since the recording; the replay may part from it\n",
           options.demo_path, s.played_map.c_str());
  return true;
}

bool open_recording(demo_session& s, const game_options& options, const char* map_path) {
  s.record_path = options.record_path;
  if (platform_is_directory(options.record_path)) {
    printf("record: cannot write \"%s\": it is a folder\n", options.record_path);
    return false;
  }
  std::string folder = folder_of(s.record_path);
  if (!platform_is_directory(folder.c_str()) || access(folder.c_str(), W_OK) != 0) {
    printf("record: cannot write \"%s\": the folder \"%s\" is missing or not writable\n", options.record_path,
           folder.c_str());
    return false;
  }
  s.record_map = map_name_for_demo(map_path, s.record_path);
  s.recorded.map_path = s.record_map;
  if (!file_digest(map_path, &s.recorded.map_digest)) s.recorded.map_digest = 0;
  return true;
}

// Ends the recording with the state the last tick left, and writes it.
void finish_recording(demo_session& s, const game_state& gs) {
  s.recording = false;
  if (s.recorded.ticks.empty()) {
    printf("record: no tick was played; \"%s\" not written\n", s.record_path.c_str());
    return;
  }
  char line[line_size];
  demo_end_line(line, sizeof line, static_cast<int32_t>(s.recorded.ticks.size()), gs.the_player);
  s.recorded.end_line = line;
  if (demo_write_file(s.record_path.c_str(), s.recorded)) {
    s.record_written = true;
    printf("record: wrote %zu ticks to \"%s\"\n", s.recorded.ticks.size(), s.record_path.c_str());
  } else {
    s.record_failed = true;
  }
}

// Puts the next recorded tick's key slots and mouse in place.
void feed_replay_tick(demo_session& s, game_state& gs) {
  if (s.replay_ticks == 0) s.timing_start = platform_counter();
  const demo_tick& tick = s.played.ticks[static_cast<size_t>(s.replay_ticks)];
  for (uint32_t i = 0; i < tick.change_count; ++i) {
    const demo_key_change& change = s.played.key_changes[tick.first_change + i];
    s.replay_keys.slots[change.slot] = change.value;
  }
  *gs.keys = s.replay_keys;
  gs.mouse =
      mouse_state{tick.mouse[0], tick.mouse[1], tick.mouse[2], tick.mouse[3], tick.mouse[4], tick.mouse[5]};
  s.replay_ticks += 1;
}

// Keeps what the tick about to run will see.
void record_tick_input(demo_session& s, const game_state& gs) {
  demo_tick tick{};
  tick.mouse[0] = gs.mouse.x_motion;
  tick.mouse[1] = gs.mouse.y_motion;
  tick.mouse[2] = gs.mouse.left;
  tick.mouse[3] = gs.mouse.left_previous;
  tick.mouse[4] = gs.mouse.right;
  tick.mouse[5] = gs.mouse.right_previous;
  tick.first_change = static_cast<uint32_t>(s.recorded.key_changes.size());
  for (int slot = 0; slot < key_slot_count; ++slot) {
    int32_t value = gs.keys->slots[slot];
    if (value == s.last_polled.slots[slot]) continue;
    s.recorded.key_changes.push_back(
        demo_key_change{static_cast<uint8_t>(slot), static_cast<uint8_t>(value)});
    tick.change_count += 1;
  }
  s.last_polled = *gs.keys;
  s.recorded.ticks.push_back(tick);
}

void check_replay_tick(demo_session& s, game_state& gs, bool level_over) {
  s.frames += 1;
  const int32_t tick = s.replay_ticks;
  uint64_t digest = demo_state_digest(gs.the_player, gs.entity_list);
  if (s.first_divergence == 0 && digest != s.played.ticks[static_cast<size_t>(tick - 1)].digest) {
    s.first_divergence = tick;
    printf("demo: tick %d differs from the recording (state %016llx, recorded %016llx)\n", tick,
           static_cast<unsigned long long>(digest),
           static_cast<unsigned long long>(s.played.ticks[static_cast<size_t>(tick - 1)].digest));
  }
  const int32_t last = static_cast<int32_t>(s.played.ticks.size());
  if (tick < last && !level_over) return;
  if (tick < last) printf("demo: the level ended at tick %d; the recording went on to tick %d\n", tick, last);
  char line[line_size];
  demo_end_line(line, sizeof line, tick, gs.the_player);
  s.replay_end_line = line;
  s.replay_finished = true;
  quit_flag = 1;
}

// Holds the state the tick left to the rules of play, from the level's
// first tick on; the first broken rule is logged, and ends a replay.
void check_tick(demo_session& s, game_state& gs, bool level_over) {
  if (!s.checking || !s.check_failure.empty()) return;
  s.check_ticks += 1;
  std::string broken = play_watch_tick(s.watch, gs);
  if (level_over) s.check_started = false;  // the next level starts afresh
  if (broken.empty()) return;
  s.check_failure = "tick " + std::to_string(s.check_ticks) + ": " + broken;
  printf("check: %s\n", s.check_failure.c_str());
  if (s.replaying) quit_flag = 1;
}

void print_replay_result(const demo_session& s) {
  if (!s.replay_finished) {
    printf("demo stopped at tick %d of %zu\n", s.replay_ticks, s.played.ticks.size());
    return;
  }
  if (s.timing) {
    uint64_t frequency = platform_counter_frequency();
    double seconds = frequency ? static_cast<double>(platform_counter() - s.timing_start) / frequency : 0.0;
    double rate = seconds > 0.0 ? s.frames / seconds : 0.0;
    printf("timedemo: %d ticks, %d frames in %.3f s = %.1f fps\n", s.replay_ticks, s.frames, seconds, rate);
  }
  printf("%s\n", s.replay_end_line.c_str());
  if (s.replay_end_line != s.played.end_line)
    printf("demo: the recording ended with \"%s\"\n", s.played.end_line.c_str());
  if (s.first_divergence)
    printf("demo: the replay parted from the recording at tick %d\n", s.first_divergence);
}

}  // namespace

bool demo_session_open(demo_session& s, const game_options& options) {
  s.checking = options.check_rules != 0;
  if (options.demo_path && !open_replay(s, options)) return false;
  if (options.record_path) {
    const char* map = options.demo_path ? s.played_map.c_str() : options.map_path;
    if (!map) {
      printf("record: no map to record on\n");
      return false;
    }
    if (!open_recording(s, options, map)) return false;
  }
  return true;
}

const char* demo_session_map(const demo_session& s, const game_options& options) {
  return s.replaying ? s.played_map.c_str() : options.map_path;
}

void demo_session_begin(demo_session& s, game_state& gs) {
  if (s.replaying) {
    for (int i = 0; i < config_var_count; ++i)
      if (!window_variable(i)) gs.config.vars[i] = s.played.config.vars[i];
    // The replay plays at the recording's skill (Normal for a demo older than the skill).
    config_at(gs.config, cfg_skill).value.as_int = config_skill(s.played.config);
    apply_video_vars_into(gs.config, gs.video);
    s.replay_keys = key_state{};
  }
  if (!s.record_path.empty()) {
    s.recording = true;
    s.recorded.config = gs.config;
    // The demo names the tick length in use, which a rate below 1 does not.
    config_var& fps = config_at(s.recorded.config, cfg_vid_fps);
    if (fps.value.as_int < 1) fps.value.as_int = fallback_fps;
    s.last_polled = key_state{};
  }
  if (s.timing) {
    config_at(gs.config, cfg_vid_vsync).value.as_int = 0;
    gs.video.vsync = 0;
    if (gs.window && !platform_set_swap_interval(gs.window, 0))
      printf("timedemo: cannot turn vsync off: %s\n", platform_error());
  }
  srand(1);
}

void demo_tick_input(demo_session& s, game_state& gs) {
  if (s.checking && !s.check_started && s.check_failure.empty()) {
    // The level as it was loaded, before its first tick.
    s.check_started = true;
    s.check_ticks = 0;
    std::string broken = play_watch_start(s.watch, gs);
    if (!broken.empty()) {
      s.check_failure = "before the first tick: " + broken;
      printf("check: %s\n", s.check_failure.c_str());
    }
  }
  bool feeding =
      s.replaying && !s.replay_finished && s.replay_ticks < static_cast<int32_t>(s.played.ticks.size());
  if (feeding)
    feed_replay_tick(s, gs);
  else
    poll_keyboard(*gs.keys, s.live_keys ? s.live_keys : platform_key_down);
  if (!s.recording) return;
  if (s.recorded.ticks.size() >= static_cast<size_t>(demo_max_ticks)) {
    printf("record: the demo is full at %d ticks; the rest is not recorded\n", demo_max_ticks);
    finish_recording(s, gs);
    return;
  }
  record_tick_input(s, gs);
}

void demo_tick_done(demo_session& s, game_state& gs, bool level_over) {
  if (s.recording) {
    s.recorded.ticks.back().digest = demo_state_digest(gs.the_player, gs.entity_list);
    if (level_over) finish_recording(s, gs);
  }
  if (s.replaying && !s.replay_finished && s.replay_ticks > 0) check_replay_tick(s, gs, level_over);
  check_tick(s, gs, level_over);
}

bool demo_session_flat_out(const demo_session* s) { return s && s->timing && !s->replay_finished; }

bool demo_session_close(demo_session& s, game_state& gs) {
  if (s.recording) finish_recording(s, gs);
  if (s.replaying) print_replay_result(s);
  return !s.record_failed && !(s.replaying && !s.check_failure.empty());
}
