// The records one pass of the menus works on, with a keyboard the test
// holds keys on and a scratch folder for the save file.
#include "tests/game/menu_rig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "audio/audio_device.h"
#include "audio/sound_source.h"
#include "game/menu_frame.h"
#include "game/menu_keys.h"
#include "tests/support/gl_context.h"

namespace {

bool keys_down[256];

}  // namespace

void hold_key(int vk) { keys_down[vk & 0xFF] = true; }

void release_keys() {
  for (bool& down : keys_down) down = false;
}

bool held_key_down(int vk) { return vk >= 0 && vk < 256 && keys_down[vk]; }

menu_rig::menu_rig() {
  EXPECT_TRUE(test_gl_context());
  release_keys();
  menu.active = 1;
  menu.cursor = 1;
  sounds = init_audio();
  sounds.music_source = make_sound_source();
  set_config_defaults(config);
  player_init(the_player, config);
}

menu_rig::~menu_rig() {
  release_keys();
  delete_sound_source(the_player.sound_source);
  close_audio(sounds, music_buffer);
}

menu_result menu_rig::tick() {
  return menu_frame(menu, textures, sounds, keys, dt, music_buffer, the_player, config, held_key_down);
}

menu_result menu_rig::ticks(int count) {
  for (int i = 0; i < count; ++i)
    if (tick() == menu_quit) return menu_quit;
  return menu_go_on;
}

void menu_rig::past_splash() {
  for (int i = 0; i < 1000 && menu.splash_timer < 2.0; ++i) tick();
}

menu_result menu_rig::press(int vk) {
  hold_key(vk);
  menu_result result = menu_go_on;
  for (int i = 0; i < 100 && result == menu_go_on; ++i) {
    result = tick();
    if (menu.key_timer == 0.0) break;  // taken: the pause starts again
  }
  release_keys();
  // A chosen level is the main loop's to load; the menus wait for it.
  if (result == menu_go_on && !menu.start_level_request)
    result = ticks(static_cast<int>(menu_key_pause / dt) + 2);
  return result;
}

scratch_folder::scratch_folder(bool sound) {
  char cwd[4096];
  previous = getcwd(cwd, sizeof cwd) ? cwd : ".";
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp ? tmp : "/tmp") + "/tarvo_menus_XXXXXX";
  char* made = mkdtemp(&pattern[0]);
  EXPECT_NE(made, nullptr);
  path = pattern;
  std::string data = path + "/data";
  EXPECT_EQ(mkdir(data.c_str(), 0755), 0);
  const char* generated = getenv("TARVO_DATA_DIR");
  if (sound && generated) symlink((std::string(generated) + "/sound").c_str(), (data + "/sound").c_str());
  EXPECT_EQ(chdir(path.c_str()), 0);
}

scratch_folder::~scratch_folder() {
  if (chdir(previous.c_str()) != 0) perror("chdir");
  std::string command = "rm -rf '" + path + "'";
  if (system(command.c_str()) != 0) perror("rm");
}

std::string scratch_folder::read(const std::string& name) const {
  std::ifstream in(path + "/" + name, std::ios::binary);
  if (!in) return "(none)";
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void scratch_folder::write(const std::string& name, const std::string& text) const {
  std::ofstream out(path + "/" + name, std::ios::binary);
  out << text;
}
