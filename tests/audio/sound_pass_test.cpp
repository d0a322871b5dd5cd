// The per-tick sound passes: which buffer, where, how loud, in what order.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "audio/audio_device.h"
#include "audio/audio_error.h"
#include "audio/load_sound.h"
#include "audio/play_sound.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "game/game_sounds.h"
#include "player/player.h"
#include "tests/audio/opus_fixture.h"
#include "tests/support/capture_stdout.h"

namespace {

// A table whose six effect buffers are real and distinct.
class SoundPass : public testing::Test {
 protected:
  void SetUp() override {
    table = init_audio();
    ASSERT_NE(table.context, nullptr);
    std::string dir = temp_dir();
    uint32_t* fields[] = {&table.menu_music, &table.human_pain, &table.armor_pain,
                          &table.gun1,       &table.gun2,       &table.gun_lazer};
    capture_stdout_begin();
    for (int i = 0; i < 6; ++i) {
      std::string path = dir + "/s" + std::to_string(i) + ".opus";
      write_opus_libopusenc(path, tone(24000, 1, 200.0 + 100 * i), 1);
      *fields[i] = load_sound(path.c_str());
    }
    capture_stdout_end();
    for (uint32_t* f : fields) ASSERT_NE(*f, 0u);
    table.music_source = make_sound_source();
    the_player.sound_source = make_sound_source();
  }
  void TearDown() override {
    for (entity* e : made) {
      delete_sound_source(e->sound_source);
      delete e;
    }
    delete_sound_source(the_player.sound_source);
    uint32_t none = 0;
    close_audio(table, none);
  }
  // Appends an entity to a list that starts with a bare head.
  entity* add(int32_t type, int32_t event, double x, double z, bool with_source = true) {
    entity* e = new entity{};
    e->type = type;
    e->sound_event = event;
    e->pos[0] = x;
    e->pos[2] = z;
    if (with_source) e->sound_source = make_sound_source();
    if (!made.empty()) {
      made.back()->next = e;
      e->prev = made.back();
    }
    made.push_back(e);
    return e;
  }
  static int buffer_of(uint32_t source) {
    ALint b = 0;
    alGetSourcei(source, AL_BUFFER, &b);
    return b;
  }
  static float float_of(uint32_t source, ALenum what) {
    ALfloat v = 0;
    alGetSourcef(source, what, &v);
    return v;
  }
  static int int_of(uint32_t source, ALenum what) {
    ALint v = 0;
    alGetSourcei(source, what, &v);
    return v;
  }
  sound_table table{};
  player the_player{};
  std::vector<entity*> made;
};

TEST_F(SoundPass, RandomPitchStaysBetweenThreeQuartersAndOne) {
  float low = 2.0f, high = 0.0f;
  for (int i = 0; i < 100000; ++i) {
    float p = random_pitch();
    low = std::min(low, p);
    high = std::max(high, p);
  }
  EXPECT_GE(low, 0.75f);
  EXPECT_LE(high, 1.0f);
  EXPECT_LT(low, 0.76f);
  EXPECT_GT(high, 0.99f);
}

TEST_F(SoundPass, PlayerShotUsesTheGunInHandAtAQuarterGain) {
  const uint32_t expected[5] = {table.gun1, table.gun2, table.gun_lazer, table.gun_lazer, table.gun_lazer};
  for (int gun = 0; gun < 5; ++gun) {
    the_player.current_gun = gun;
    the_player.shot_sound_request = 2;
    srand(40 + gun);
    float pitch = random_pitch();
    srand(40 + gun);
    player_sounds(the_player, table);
    EXPECT_EQ(the_player.shot_sound_request, 0);
    EXPECT_EQ(buffer_of(the_player.sound_source), static_cast<int>(expected[gun])) << "gun " << gun;
    EXPECT_FLOAT_EQ(float_of(the_player.sound_source, AL_GAIN), 0.25f);
    EXPECT_FLOAT_EQ(float_of(the_player.sound_source, AL_PITCH), pitch);
    EXPECT_EQ(int_of(the_player.sound_source, AL_LOOPING), AL_FALSE);
    EXPECT_EQ(int_of(the_player.sound_source, AL_SOURCE_STATE), AL_PLAYING);
    ALfloat pos[3] = {9, 9, 9};
    alGetSourcefv(the_player.sound_source, AL_POSITION, pos);
    EXPECT_EQ(pos[0], 0.0f);
    EXPECT_EQ(pos[1], 0.0f);
    EXPECT_EQ(pos[2], 0.0f);
  }
}

TEST_F(SoundPass, PlayerRequestOtherThanTwoOnlyClears) {
  for (int request : {1, 3, -1}) {
    the_player.shot_sound_request = request;
    srand(5);
    int next = rand();
    srand(5);
    player_sounds(the_player, table);
    EXPECT_EQ(the_player.shot_sound_request, 0);
    EXPECT_EQ(rand(), next) << "no pitch is drawn without a shot";
    EXPECT_EQ(int_of(the_player.sound_source, AL_SOURCE_STATE), AL_INITIAL);
  }
}

TEST_F(SoundPass, EntityBufferTable) {
  for (int type = 200; type <= 213; ++type) {
    bool armor = type == 201 || type == 203 || type == 207 || type == 209;
    bool lazer = type == 203 || type == 206 || type == 207;
    EXPECT_EQ(entity_sound_buffer(table, type, 1), armor ? table.armor_pain : table.human_pain) << type;
    EXPECT_EQ(entity_sound_buffer(table, type, 2), lazer ? table.gun_lazer : table.gun1) << type;
    EXPECT_EQ(entity_sound_buffer(table, type, 0), 0u);
    EXPECT_EQ(entity_sound_buffer(table, type, 3), 0u);
  }
}

TEST_F(SoundPass, ListenerOffsetTurnsWithTheHeading) {
  const double at[3] = {10.0, 3.0, -7.0};
  for (double yaw : {0.0, 30.0, 90.0, 135.0, 180.0, 270.0, 359.0}) {
    double t = yaw * M_PI / 180.0;
    // Heading 0 looks along -z and a growing heading turns left.
    double fx = -sin(t), fz = -cos(t), rx = cos(t), rz = -sin(t);
    double x, z;
    listener_offset(at[0] + 4 * fx, at[2] + 4 * fz, at, yaw, &x, &z);
    EXPECT_NEAR(x, 0.0, 1e-9) << yaw;
    EXPECT_NEAR(z, -4.0, 1e-9) << yaw;
    listener_offset(at[0] + 3 * rx, at[2] + 3 * rz, at, yaw, &x, &z);
    EXPECT_NEAR(x, 3.0, 1e-9) << yaw;
    EXPECT_NEAR(z, 0.0, 1e-9) << yaw;
  }
}

TEST_F(SoundPass, EachPendingEventPlaysOnceFromFirstToLastAndIsCleared) {
  the_player.pos[0] = 1.0;
  the_player.pos[2] = 2.0;
  the_player.yaw = 90.0;
  add(0, 0, 0, 0, false);                      // the list head
  entity* pain_armor = add(201, 1, 5.0, 2.0);  // behind the player
  entity* shot = add(205, 2, 1.0, -3.0);       // on its right
  entity* lazer = add(203, 2, 1.0, 6.0);       // on its left
  entity* quiet = add(210, 0, 1.0, 1.0);
  entity* late = add(304, 2, 1.0, 1.0, false);  // made during play: no source
  entity* odd = add(206, 3, 1.0, 1.0);

  srand(11);
  float pitch[5];
  for (float& p : pitch) p = random_pitch();
  int after = rand();
  srand(11);
  entity_sounds(made[0], table, the_player);

  for (entity* e : made) EXPECT_EQ(e->sound_event, 0) << "type " << e->type;
  EXPECT_EQ(rand(), after) << "one pitch is drawn per pending event, no more";
  // Pitches in list order show the walk went from the first entity to the last.
  EXPECT_FLOAT_EQ(float_of(pain_armor->sound_source, AL_PITCH), pitch[0]);
  EXPECT_FLOAT_EQ(float_of(shot->sound_source, AL_PITCH), pitch[1]);
  EXPECT_FLOAT_EQ(float_of(lazer->sound_source, AL_PITCH), pitch[2]);
  EXPECT_EQ(buffer_of(pain_armor->sound_source), static_cast<int>(table.armor_pain));
  EXPECT_EQ(buffer_of(shot->sound_source), static_cast<int>(table.gun1));
  EXPECT_EQ(buffer_of(lazer->sound_source), static_cast<int>(table.gun_lazer));
  for (entity* e : {pain_armor, shot, lazer}) {
    EXPECT_EQ(int_of(e->sound_source, AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_FLOAT_EQ(float_of(e->sound_source, AL_GAIN), 1.0f);
    EXPECT_EQ(int_of(e->sound_source, AL_LOOPING), AL_FALSE);
  }
  EXPECT_EQ(int_of(quiet->sound_source, AL_SOURCE_STATE), AL_INITIAL);
  EXPECT_EQ(int_of(odd->sound_source, AL_SOURCE_STATE), AL_INITIAL) << "event 3 plays nothing";
  EXPECT_EQ(late->sound_source, 0u);
  EXPECT_EQ(alGetError(), AL_NO_ERROR) << "the entity without a source made no OpenAL call";
  EXPECT_EQ(table.error_logged, 0);

  // Heading 90 looks along -x: +x is behind the player (+z to the listener)
  // and -z on its right (+x to the listener).
  ALfloat pos[3];
  alGetSourcefv(pain_armor->sound_source, AL_POSITION, pos);
  EXPECT_NEAR(pos[0], 0.0f, 1e-5);
  EXPECT_NEAR(pos[2], 4.0f, 1e-5);
  alGetSourcefv(shot->sound_source, AL_POSITION, pos);
  EXPECT_NEAR(pos[0], 5.0f, 1e-5);
  EXPECT_NEAR(pos[1], 0.0f, 1e-5);
  EXPECT_NEAR(pos[2], 0.0f, 1e-5);

  // Nothing is pending any more: the next pass plays and draws nothing.
  srand(12);
  int next = rand();
  srand(12);
  entity_sounds(made[0], table, the_player);
  EXPECT_EQ(rand(), next);
}

TEST_F(SoundPass, SecondShotRestartsTheSource) {
  entity* e = add(205, 2, 0.0, -2.0);
  entity_sounds(e, table, the_player);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  float first = float_of(e->sound_source, AL_SEC_OFFSET);
  e->sound_event = 2;
  entity_sounds(e, table, the_player);
  float second = float_of(e->sound_source, AL_SEC_OFFSET);
  EXPECT_GT(first, 0.05f) << "the mixer should have moved the first sound on";
  EXPECT_LT(second, first) << "the second shot starts from the beginning";
  EXPECT_EQ(int_of(e->sound_source, AL_SOURCE_STATE), AL_PLAYING);
}

TEST_F(SoundPass, RepeatedOpenALErrorIsLoggedOnce) {
  capture_stdout_begin();
  for (int tick = 0; tick < 5; ++tick) {
    alSourcePlay(0x7fffff);  // no such source
    EXPECT_TRUE(audio_check_errors(table, "entity_sounds"));
  }
  EXPECT_FALSE(audio_check_errors(table, "entity_sounds"));
  std::string log = capture_stdout_end();
  EXPECT_EQ(count_occurrences(log, "OpenAL error"), 1) << log;
  EXPECT_NE(log.find("entity_sounds"), std::string::npos);
}

}  // namespace
