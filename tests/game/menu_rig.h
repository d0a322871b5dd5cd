// The records one pass of the menus works on, with a keyboard the test
// holds keys on and a scratch folder for the save file.
#pragma once
#include <cstdint>
#include <string>

#include "audio/sound_table.h"
#include "base/texture_table.h"
#include "config/config_table.h"
#include "config/key_state.h"
#include "game/menu_state.h"
#include "player/player.h"

// Keys the test holds down, by virtual-key code; menu_frame reads them
// through held_key_down.
void hold_key(int vk);
void release_keys();
bool held_key_down(int vk);

// The menus as the game starts them: active, cursor on "New Game", a real
// (silent) sound device, the variables' defaults, a fresh player. Ticks are
// 1/64 s, which adds up exactly.
struct menu_rig {
  menu_state menu{};
  texture_table textures{};
  sound_table sounds{};
  key_state keys{};
  uint32_t music_buffer = 0;
  player the_player{};
  config_table config{};
  double dt = 1.0 / 64.0;

  menu_rig();
  ~menu_rig();
  // One pass of menu_frame with the held keys.
  menu_result tick();
  // `count` passes; stops early and returns menu_quit if one asks to quit.
  menu_result ticks(int count);
  // Passes until the opening image has given way to the title.
  void past_splash();
  // Holds `vk` until the menus take it (the next accepted key), then lets
  // go and waits out the key pause, so the next press is taken at once
  // (unless the key chose a level, which the main loop would load now).
  menu_result press(int vk);
};

// A folder of its own with an empty data/ in it, made the current directory
// for the test's life; the old one comes back afterwards. With `sound` the
// generated sounds are linked in as data/sound.
struct scratch_folder {
  std::string path;
  std::string previous;
  explicit scratch_folder(bool sound = false);
  ~scratch_folder();
  // The text of a file below the folder, or "(none)" when it does not exist.
  std::string read(const std::string& name) const;
  void write(const std::string& name, const std::string& text) const;
};
