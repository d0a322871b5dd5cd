// Sources and buffers are released where the game lets go of them, once each.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/free_game_resources.h"
#include "app/game_state.h"
#include "audio/audio_device.h"
#include "audio/load_sound.h"
#include "audio/music.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "config/config_table.h"
#include "game/entity_sources.h"
#include "player/player.h"
#include "tests/audio/opus_fixture.h"
#include "tests/support/capture_stdout.h"
#include "world/bsp_node.h"

namespace {

class Release : public testing::Test {
 protected:
  void SetUp() override {
    table = init_audio();
    ASSERT_NE(table.context, nullptr);
    dir = temp_dir();
    alGetError();
  }
  void TearDown() override {
    uint32_t none = 0;
    close_audio(table, none);
  }
  uint32_t sound(int frames, int channels) {
    std::string path = dir + "/f" + std::to_string(count++) + ".opus";
    write_opus_libopusenc(path, tone(frames, channels, 330.0), channels);
    capture_stdout_begin();
    uint32_t b = load_sound(path.c_str());
    capture_stdout_end();
    return b;
  }
  // head, then entities of these types, linked both ways.
  static entity* make_list(const std::vector<int32_t>& types) {
    entity* head = entity_list_new_head();
    entity* tail = head;
    for (int32_t t : types) {
      entity* e = new entity{};
      e->type = t;
      tail->next = e;
      e->prev = tail;
      tail = e;
    }
    return head;
  }
  static void free_list(entity* head) {
    while (head) {
      entity* next = head->next;
      delete head;
      head = next;
    }
  }
  sound_table table{};
  std::string dir;
  int count = 0;
};

TEST_F(Release, OnlyEnemiesGetSourcesAndKeepThem) {
  entity* head = make_list({1, 2, 100, 199, 200, 213, 305, 410});
  give_entity_sources(head);
  std::vector<uint32_t> names;
  for (entity* e = head; e; e = e->next) {
    if (e->type >= 200) {
      EXPECT_NE(e->sound_source, 0u) << e->type;
      EXPECT_TRUE(alIsSource(e->sound_source));
      names.push_back(e->sound_source);
    } else {
      EXPECT_EQ(e->sound_source, 0u) << e->type;
    }
  }
  EXPECT_EQ(names.size(), 4u);
  // A second walk makes no new sources for entities that hold one.
  give_entity_sources(head);
  size_t i = 0;
  for (entity* e = head; e; e = e->next) {
    if (e->type >= 200) {
      EXPECT_EQ(e->sound_source, names[i++]);
    }
  }
  delete_entity_sources(head);
  free_list(head);
}

TEST_F(Release, LargeLevelGivesEveryEnemyASource) {
  std::vector<int32_t> types(1500, 204);
  entity* head = make_list(types);
  capture_stdout_begin();
  give_entity_sources(head);
  std::string log = capture_stdout_end();
  int with_source = 0;
  for (entity* e = head->next; e; e = e->next) with_source += alIsSource(e->sound_source) ? 1 : 0;
  EXPECT_EQ(with_source, 1500) << log;
  EXPECT_EQ(log, "");
  delete_entity_sources(head);
  free_list(head);
}

TEST_F(Release, EntitySourcesAreDeletedOnceAndCleared) {
  entity* head = make_list({200, 150, 207, 211});
  give_entity_sources(head);
  std::vector<uint32_t> names;
  for (entity* e = head; e; e = e->next)
    if (e->sound_source) names.push_back(e->sound_source);
  ASSERT_EQ(names.size(), 3u);
  // A playing source goes too.
  uint32_t b = sound(48000, 1);
  alSourcei(names[0], AL_BUFFER, static_cast<ALint>(b));
  alSourcePlay(names[0]);

  delete_entity_sources(head);
  for (uint32_t n : names) EXPECT_FALSE(alIsSource(n));
  for (entity* e = head; e; e = e->next) EXPECT_EQ(e->sound_source, 0u);
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
  delete_entity_sources(head);  // nothing left to delete: no OpenAL error
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
  delete_sound_buffer(b);
  EXPECT_EQ(b, 0u);
  free_list(head);
}

TEST_F(Release, ShutdownReleaseDeletesEntitySourcesBeforeFreeingTheList) {
  game_state* gs = new game_state{};
  gs->keys = new key_state{};
  gs->bsp_root = new bsp_node{};
  gs->entity_list = make_list({203, 400, 209});
  give_entity_sources(gs->entity_list);
  uint32_t first = gs->entity_list->next->sound_source;
  uint32_t last = gs->entity_list->next->next->next->sound_source;
  ASSERT_TRUE(alIsSource(first));
  ASSERT_TRUE(alIsSource(last));
  free_game_resources(*gs);
  EXPECT_FALSE(alIsSource(first));
  EXPECT_FALSE(alIsSource(last));
  EXPECT_EQ(gs->entity_list, nullptr);
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
  delete gs;
}

TEST_F(Release, PlayerSourceIsMadeByInitAndReplacedAtLevelLoad) {
  config_table config{};
  set_config_defaults(config);
  player p{};
  player_init(p, config);
  uint32_t first = p.sound_source;
  ASSERT_NE(first, 0u);
  EXPECT_TRUE(alIsSource(first));
  // What the level load does: the old source goes, the new player has one.
  delete_sound_source(p.sound_source);
  player_init(p, config);
  EXPECT_FALSE(alIsSource(first) && first != p.sound_source);
  EXPECT_TRUE(alIsSource(p.sound_source));
  delete_sound_source(p.sound_source);
  EXPECT_EQ(p.sound_source, 0u);
  delete_sound_source(p.sound_source);
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST_F(Release, LevelMusicStartsAtEightTenths) {
  table.music_source = make_sound_source();
  table.menu_music = sound(48000, 2);
  uint32_t level_music = sound(96000, 2);
  start_level_music(table, level_music);
  ALint buffer = 0, looping = 0, state = 0;
  ALfloat gain = 0;
  alGetSourcei(table.music_source, AL_BUFFER, &buffer);
  alGetSourcei(table.music_source, AL_LOOPING, &looping);
  alGetSourcei(table.music_source, AL_SOURCE_STATE, &state);
  alGetSourcef(table.music_source, AL_GAIN, &gain);
  EXPECT_EQ(buffer, static_cast<ALint>(level_music));
  EXPECT_EQ(looping, AL_TRUE);
  EXPECT_EQ(state, AL_PLAYING);
  EXPECT_FLOAT_EQ(gain, 0.8f);
  leave_level_music(table, level_music);
}

TEST_F(Release, LeavingALevelReleasesItsMusicAndPlaysTheMenuMusicLouder) {
  table.music_source = make_sound_source();
  table.menu_music = sound(48000, 2);
  uint32_t music_buffer = sound(96000, 2);
  uint32_t level_music = music_buffer;
  start_level_music(table, music_buffer);

  leave_level_music(table, music_buffer);
  EXPECT_EQ(music_buffer, 0u);
  EXPECT_FALSE(alIsBuffer(level_music)) << "the level's music buffer must not outlive the level";
  ALint buffer = 0, looping = 0, state = 0;
  ALfloat gain = 0;
  alGetSourcei(table.music_source, AL_BUFFER, &buffer);
  alGetSourcei(table.music_source, AL_LOOPING, &looping);
  alGetSourcei(table.music_source, AL_SOURCE_STATE, &state);
  alGetSourcef(table.music_source, AL_GAIN, &gain);
  EXPECT_EQ(buffer, static_cast<ALint>(table.menu_music));
  EXPECT_EQ(looping, AL_TRUE);
  EXPECT_EQ(state, AL_PLAYING);
  EXPECT_FLOAT_EQ(gain, 1.2f);
  EXPECT_TRUE(alIsBuffer(table.menu_music));

  // Leaving again (no level music now) deletes nothing else.
  capture_stdout_begin();
  leave_level_music(table, music_buffer);
  std::string log = capture_stdout_end();
  EXPECT_TRUE(alIsBuffer(table.menu_music));
  EXPECT_EQ(table.error_logged, 0) << log;
}

TEST_F(Release, LevelWithoutMusicIsSilentNotAnError) {
  table.music_source = make_sound_source();
  table.menu_music = sound(48000, 1);
  start_menu_music(table);
  uint32_t music_buffer = 0;  // the level's music file was missing
  start_level_music(table, music_buffer);
  ALint state = 0;
  alGetSourcei(table.music_source, AL_SOURCE_STATE, &state);
  EXPECT_NE(state, AL_PLAYING) << "the menu music stops";
  leave_level_music(table, music_buffer);
  EXPECT_EQ(table.error_logged, 0);
  EXPECT_TRUE(alIsBuffer(table.menu_music));
}

TEST_F(Release, MenuMusicAtFullGain) {
  table.music_source = make_sound_source();
  table.menu_music = sound(48000, 1);
  start_menu_music(table);
  ALint buffer = 0, looping = 0;
  ALfloat gain = 0, pitch = 0;
  alGetSourcei(table.music_source, AL_BUFFER, &buffer);
  alGetSourcei(table.music_source, AL_LOOPING, &looping);
  alGetSourcef(table.music_source, AL_GAIN, &gain);
  alGetSourcef(table.music_source, AL_PITCH, &pitch);
  EXPECT_EQ(buffer, static_cast<ALint>(table.menu_music));
  EXPECT_EQ(looping, AL_TRUE);
  EXPECT_FLOAT_EQ(gain, 1.0f);
  EXPECT_FLOAT_EQ(pitch, 1.0f);
}

}  // namespace
