// With no audio device every sound call is harmless and the game goes on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "app/game_state.h"
#include "audio/audio_device.h"
#include "audio/fixed_sounds.h"
#include "audio/music.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "config/config_table.h"
#include "game/entity_sources.h"
#include "game/game_sounds.h"
#include "tests/audio/opus_fixture.h"
#include "tests/audio/wave_capture.h"
#include "tests/support/capture_stdout.h"

namespace {

const bool no_backend = (use_no_backend(), true);

TEST(NoDevice, EverySoundCallIsSilentAndHarmless) {
  ASSERT_TRUE(no_backend);
  // The fixed sounds exist, so they are still opened and decoded.
  std::string dir = temp_dir();
  ASSERT_EQ(system(("mkdir -p " + dir + "/data/sound").c_str()), 0);
  for (const char* name : {"menu", "human_pain", "armor_pain", "gun1", "gun2", "gun_lazer"})
    ASSERT_TRUE(write_opus_libopusenc(dir + "/data/sound/" + name + ".opus", tone(9600, 1, 300.0), 1));
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);

  capture_stdout_begin();
  sound_table table = init_audio();
  load_fixed_sounds(table);
  std::string log = capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);
  EXPECT_EQ(table.device, nullptr);
  EXPECT_EQ(table.context, nullptr);
  EXPECT_FALSE(audio_active());
  EXPECT_EQ(table.music_source, 0u);
  EXPECT_EQ(table.menu_music, 0u);
  EXPECT_EQ(table.gun_lazer, 0u);
  EXPECT_TRUE(lines_in_order(log, {"opening file data/sound/menu.opus...\n",
                                   "data/sound/menu.opus: 1 channels, 9600 samples (0 seconds)\n",
                                   "opening file data/sound/gun_lazer.opus...\n"}))
      << log;
  EXPECT_EQ(log.find("Error"), std::string::npos) << "no device is not reported: " << log;

  game_state* gs = new game_state{};
  gs->sounds = table;
  gs->entity_list = entity_list_new_head();
  entity* enemy = new entity{};
  enemy->type = 204;
  enemy->sound_event = 1;
  gs->entity_list->next = enemy;
  enemy->prev = gs->entity_list;
  give_entity_sources(gs->entity_list);
  EXPECT_EQ(enemy->sound_source, 0u);
  config_table config{};
  set_config_defaults(config);
  player_init(gs->the_player, config);
  EXPECT_EQ(gs->the_player.sound_source, 0u);

  // The tick's sound step runs; the requests are consumed as if heard.
  gs->the_player.shot_sound_request = 2;
  capture_stdout_begin();
  player_sounds(gs->the_player, gs->sounds);
  entity_sounds(gs->entity_list, gs->sounds, gs->the_player);
  start_menu_music(gs->sounds);
  gs->music_buffer = 0;
  start_level_music(gs->sounds, gs->music_buffer);
  leave_level_music(gs->sounds, gs->music_buffer);
  log = capture_stdout_end();
  EXPECT_EQ(gs->the_player.shot_sound_request, 0);
  EXPECT_EQ(enemy->sound_event, 0);
  EXPECT_EQ(log, "") << "silence is not an error";

  delete_entity_sources(gs->entity_list);
  delete_sound_source(gs->the_player.sound_source);
  close_audio(gs->sounds, gs->music_buffer);
  delete enemy;
  delete gs->entity_list;
  delete gs;
}

}  // namespace
