// The level's life gives and takes the sources: load, unload, load again.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <vector>

#include "audio/audio_device.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "tests/scenario/level/level_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"

namespace {

TEST(LevelSources, EnemiesHaveSourcesWhileTheLevelLivesAndThePlayerGetsANewOne) {
  ASSERT_TRUE(test_gl_context());
  sound_table table = init_audio();
  ASSERT_NE(table.context, nullptr);
  alGetError();
  {
    level_records level;
    for (int cycle = 0; cycle < 4; ++cycle) {
      uint32_t old_player_source = level.the_player.sound_source;
      ASSERT_TRUE(alIsSource(old_player_source)) << "cycle " << cycle;
      capture_stdout_begin();
      bool loaded = level.load(box_room_path());
      std::string log = capture_stdout_end();
      ASSERT_TRUE(loaded) << log;

      uint32_t player_source = level.the_player.sound_source;
      EXPECT_TRUE(alIsSource(player_source));
      if (player_source != old_player_source) {
        EXPECT_FALSE(alIsSource(old_player_source));
      }
      std::vector<uint32_t> enemy_sources;
      for (entity* e = level.entity_list; e; e = e->next) {
        if (e->type >= 200) {
          EXPECT_TRUE(alIsSource(e->sound_source)) << "type " << e->type;
          enemy_sources.push_back(e->sound_source);
        } else {
          EXPECT_EQ(e->sound_source, 0u) << "type " << e->type;
        }
      }
      // Two enemies and a pickup: every type from 200 up.
      EXPECT_EQ(enemy_sources.size(), 3u);
      EXPECT_NE(enemy_sources[0], player_source);

      capture_stdout_begin();
      level.unload();
      capture_stdout_end();
      for (uint32_t s : enemy_sources) EXPECT_FALSE(alIsSource(s)) << "cycle " << cycle;
      EXPECT_EQ(level.entity_list->sound_source, 0u);
      EXPECT_EQ(alGetError(), AL_NO_ERROR) << "cycle " << cycle;
    }
    delete_sound_source(level.the_player.sound_source);
  }
  uint32_t none = 0;
  close_audio(table, none);
}

}  // namespace
