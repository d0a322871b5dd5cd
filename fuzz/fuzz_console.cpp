// libFuzzer target: whatever is typed into the console, executed against a
// loaded level (the demo arena: two enemies, a magazine and an exit), one
// key a game tick, with the rules of play checked after every tick.
//
// The input is keystrokes, one byte a tick: the characters 33 to 126 and
// the space, return ('\n'), backspace (8 or 127), a tick without a key
// ('\t'), and 1, which puts the next character in the same tick as the one
// before (the console takes up to four a tick). The grave accent and the
// tilde toggle the console, which starts open; with it closed the keys are
// the player's. Other bytes are skipped.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/free_game_resources.h"
#include "app/game_state.h"
#include "app/game_tick.h"
#include "app/play_check.h"
#include "app/run_game.h"
#include "base/entity.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "config/key_code.h"
#include "config/video_settings.h"
#include "player/bind_keys.h"

namespace {

constexpr int max_ticks = 2048;

// The slot a keystroke byte presses; -1 for none.
int slot_of(uint8_t byte) {
  if (byte == '\n') return key_slot_return;
  if (byte == 8 || byte == 127) return key_slot_backspace;
  if (byte == ' ' || (byte >= 33 && byte <= 126)) return key_code_slot(byte);
  return -1;
}

// One tick with `slots` pressed; the keys come up again before the next.
bool tick(game_state& gs, play_watch& watch, const int* slots, int count) {
  for (int i = 0; i < count; ++i) gs.keys->slots[slots[i]] = key_pressed;
  game_tick_logic(gs);
  for (int i = 0; i < key_slot_count; ++i) gs.keys->slots[i] = key_up;
  restart_video_flag = 0;  // no window to make again
  std::string broken = play_watch_tick(watch, gs);
  if (!broken.empty()) {
    fprintf(stderr, "fuzz_console: %s\n", broken.c_str());
    abort();
  }
  return quit_flag == 0 && !level_done_flag && gs.the_player.death_timer <= 6.0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The arena is copied into an empty directory, where it finds no world
  // textures (there is no GL context to load them into); the log is not
  // what is being tested.
  std::ifstream arena(TARVO_ARENA_MAP);
  std::stringstream text;
  text << arena.rdbuf();
  char dir[] = "/tmp/tarvo_fuzz_console_XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) abort();
  std::ofstream("arena.t3bsp") << text.str();
  if (text.str().empty() || !freopen("/dev/null", "w", stdout)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  reset_program_flags();
  game_state gs{};
  set_config_defaults(gs.config);
  apply_video_vars_into(gs.config, gs.video);
  gs.entity_list = entity_list_new_head();
  gs.keys = new key_state{};
  gs.the_console.console_open = 1;
  if (!enter_level(gs, "arena.t3bsp")) abort();
  play_watch watch;
  if (!play_watch_start(watch, gs).empty()) abort();
  int slots[8];
  int count = 0, ticks = 0;
  bool going = true;
  for (size_t i = 0; going && i < size && ticks < max_ticks; ++i) {
    int slot = slot_of(data[i]);
    if (slot >= 0 && count < 8)
      slots[count++] = slot;
    else if (data[i] != '\t')
      continue;
    // A key followed by 1 shares its tick with the next.
    if (slot >= 0 && i + 1 < size && data[i + 1] == 1) continue;
    going = tick(gs, watch, slots, count);
    count = 0;
    ++ticks;
  }
  free_game_resources(gs);
  return 0;
}
