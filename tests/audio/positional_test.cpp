// Where the sounds are heard: OpenAL's mix, written by its wave backend, read back.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_device.h"
#include "audio/load_sound.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "game/game_sounds.h"
#include "player/player.h"
#include "tests/audio/opus_fixture.h"
#include "tests/audio/wave_capture.h"
#include "tests/support/capture_stdout.h"

namespace {

const std::string work = temp_dir();
const std::string wav_path = work + "/mix.wav";
// OpenAL reads its configuration at its first call, after static set-up.
const bool wave_backend = (use_wave_backend(wav_path), true);

// Whether any of these sources is still playing.
bool any_playing(const std::vector<uint32_t>& sources) {
  for (uint32_t s : sources) {
    ALint state = AL_STOPPED;
    if (s != 0) alGetSourcei(s, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) return true;
  }
  return false;
}

// One run of the device: the sounds `play` starts are mixed until they end,
// then the device closes and the written mix is measured. Sources `play`
// makes go into `made`; they are deleted after the mix.
using scene = std::function<void(sound_table&, player&, std::vector<uint32_t>& made)>;
channel_energy hear(const scene& play) {
  channel_energy energy{-1.0, -1.0};
  sound_table table = init_audio();
  EXPECT_NE(table.context, nullptr) << "the wave backend did not open";
  if (!table.context) return energy;
  std::string shot = work + "/shot.opus";
  if (read_bytes(shot).empty()) write_opus_libopusenc(shot, tone(14400, 1, 440.0), 1);
  capture_stdout_begin();
  table.gun1 = load_sound(shot.c_str());
  capture_stdout_end();
  EXPECT_NE(table.gun1, 0u);
  player p{};
  p.sound_source = make_sound_source();
  std::vector<uint32_t> made;
  play(table, p, made);
  // The wave backend mixes in real time: wait until every sound has played
  // out (however busy the machine), then a little for the last mix to land.
  made.push_back(p.sound_source);
  for (int wait = 0; wait < 300 && any_playing(made); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  made.pop_back();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  for (uint32_t& source : made) delete_sound_source(source);
  delete_sound_source(p.sound_source);
  uint32_t none = 0;
  close_audio(table, none);
  EXPECT_TRUE(read_channel_energy(wav_path, &energy));
  return energy;
}

// An enemy that shoots this tick, `ahead` units in front of the player and
// `right` units to its right, for a player at (6, 1, -4) facing `yaw`.
scene enemy_shot(double yaw, double ahead, double right) {
  return [=](sound_table& table, player& p, std::vector<uint32_t>& made) {
    p.pos[0] = 6.0;
    p.pos[1] = 1.0;
    p.pos[2] = -4.0;
    p.yaw = yaw;
    double t = yaw * M_PI / 180.0;
    // Heading 0 looks along -z; a growing heading turns left.
    entity e{};
    e.type = 205;
    e.sound_event = 2;
    e.pos[0] = p.pos[0] - sin(t) * ahead + cos(t) * right;
    e.pos[2] = p.pos[2] - cos(t) * ahead - sin(t) * right;
    e.sound_source = make_sound_source();
    srand(3);
    entity_sounds(&e, table, p);
    made.push_back(e.sound_source);
  };
}

TEST(Positional, EnemyAheadIsCentredAndOneOnTheRightIsHeardRight) {
  ASSERT_TRUE(wave_backend);
  for (double yaw : {0.0, 45.0, 90.0, 180.0, 270.0, 317.0}) {
    channel_energy ahead = hear(enemy_shot(yaw, 3.0, 0.0));
    ASSERT_GT(ahead.left + ahead.right, 1e9) << "heading " << yaw << ": nothing heard";
    EXPECT_LT(fabs(ahead.left - ahead.right) / (ahead.left + ahead.right), 0.05)
        << "heading " << yaw << ": left " << ahead.left << " right " << ahead.right;

    channel_energy right = hear(enemy_shot(yaw, 0.0, 3.0));
    EXPECT_GT(right.right, 4.0 * right.left)
        << "heading " << yaw << ": left " << right.left << " right " << right.right;
  }
}

TEST(Positional, EnemyOnTheLeftIsHeardLeft) {
  channel_energy left = hear(enemy_shot(120.0, 1.0, -3.0));
  EXPECT_GT(left.left, 4.0 * left.right) << "left " << left.left << " right " << left.right;
}

TEST(Positional, PlayerShotIsAQuarterOfAnEnemysLoudness) {
  channel_energy shot = hear([](sound_table& table, player& p, std::vector<uint32_t>&) {
    p.current_gun = 0;
    p.shot_sound_request = 2;
    srand(3);
    player_sounds(p, table);
  });
  // The same sound with the same pitch, from an enemy standing where the
  // player stands: both at the listener, only the gain differs.
  channel_energy enemy = hear(enemy_shot(0.0, 0.0, 0.0));
  double shot_total = shot.left + shot.right;
  double enemy_total = enemy.left + enemy.right;
  ASSERT_GT(shot_total, 1e8);
  // A quarter of the amplitude is a sixteenth of the energy.
  EXPECT_NEAR(enemy_total / shot_total, 16.0, 1.0) << shot_total << " " << enemy_total;
}

TEST(Positional, EntityWithoutASourcePlaysNothing) {
  channel_energy heard = hear([](sound_table& table, player& p, std::vector<uint32_t>&) {
    entity e{};
    e.type = 302;  // a projectile made during play
    e.sound_event = 2;
    e.pos[2] = -2.0;
    entity_sounds(&e, table, p);
    EXPECT_EQ(e.sound_event, 0);
  });
  EXPECT_EQ(heard.left + heard.right, 0.0);
}

}  // namespace
