// The generated sounds: each opens with libopusfile with the intended channels and length, and
// the music loops without a jump at its seam.
#include <gtest/gtest.h>
#include <opusfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/tools/assetgen/asset_files.h"
#include "tools/assetgen/mastering.h"
#include "tools/assetgen/music.h"

namespace {

struct decoded {
  int channels = 0;
  long frames = 0;
  std::vector<opus_int16> pcm;
};

bool decode(const std::string& rel, decoded& out) {
  int err = 0;
  OggOpusFile* f = op_open_file((data_dir() + "/" + rel).c_str(), &err);
  if (!f) return false;
  out.channels = op_channel_count(f, -1);
  out.frames = (long)op_pcm_total(f, -1);
  out.pcm.assign((size_t)out.frames * out.channels, 0);
  long got = 0;
  while (got < out.frames) {
    int n =
        op_read(f, out.pcm.data() + got * out.channels, (int)((out.frames - got) * out.channels), nullptr);
    if (n <= 0) break;
    got += n;
  }
  op_free(f);
  return got == out.frames;
}

sample_buffer as_buffer(const decoded& d) {
  sample_buffer b;
  b.channels = d.channels;
  b.samples.reserve(d.pcm.size());
  for (opus_int16 v : d.pcm) b.samples.push_back(v / 32768.0f);
  return b;
}

// The share of the energy below about 80 Hz: what four one-pole low-pass stages at 80 Hz let
// through, over the whole.
double low_share(const decoded& d) {
  double low = 0, all = 0;
  for (int ch = 0; ch < d.channels; ++ch) {
    double y[4] = {0, 0, 0, 0}, a = 1.0 - std::exp(-2.0 * M_PI * 80.0 / 48000.0);
    for (long i = 0; i < d.frames; ++i) {
      double x = d.pcm[i * d.channels + ch];
      y[0] += a * (x - y[0]);
      for (int k = 1; k < 4; ++k) y[k] += a * (y[k - 1] - y[k]);
      low += y[3] * y[3];
      all += x * x;
    }
  }
  return all > 0 ? low / all : 0;
}

const char* const music_names[] = {"menu",   "music1", "music3", "music5",  "music6",
                                   "music7", "music8", "music9", "music10", "mouse"};

double rms(const decoded& d) {
  double s = 0;
  for (opus_int16 v : d.pcm) s += (double)v * v;
  return std::sqrt(s / std::max<size_t>(1, d.pcm.size()));
}

}  // namespace

TEST(AssetSounds, EffectsAreShortMonoAndAudible) {
  for (const char* name : {"human_pain", "armor_pain", "gun1", "gun2", "gun_lazer"}) {
    decoded d;
    ASSERT_TRUE(decode(std::string("sound/") + name + ".opus", d)) << name;
    EXPECT_EQ(d.channels, 1) << name;
    EXPECT_GE(d.frames, 48000 / 10) << name;
    EXPECT_LE(d.frames, 48000) << name << " is longer than a second";
    EXPECT_GT(rms(d), 1000.0) << name << " is nearly silent";
  }
}

TEST(AssetSounds, EffectsAreDistinct) {
  decoded a, b;
  ASSERT_TRUE(decode("sound/gun1.opus", a));
  ASSERT_TRUE(decode("sound/gun2.opus", b));
  EXPECT_NE(a.frames, b.frames);
  ASSERT_TRUE(decode("sound/human_pain.opus", a));
  ASSERT_TRUE(decode("sound/armor_pain.opus", b));
  long n = std::min(a.frames, b.frames);
  double diff = 0;
  for (long i = 0; i < n; ++i) diff += std::fabs((double)a.pcm[i] - b.pcm[i]);
  EXPECT_GT(diff / n, 500.0) << "the two pain cries sound alike";
}

// Every track: stereo, a level's at least a minute and a half of changing sections (its second
// half is not its first again), most of its energy above 80 Hz, mastered to its loudness, and without a click
// at its loop point.
TEST(AssetSounds, MusicIsStereoLongChangingBrightAndLoopsSmoothly) {
  for (const char* name : music_names) {
    decoded d;
    ASSERT_TRUE(decode(std::string("sound/") + name + ".opus", d)) << name;
    EXPECT_EQ(d.channels, 2) << name;
    // The title's piece is shorter, so that it is decoded before the title shows.
    bool level_piece = std::string(name) != "menu";
    EXPECT_GE(d.frames, (level_piece ? 90L : 30L) * 48000) << name;
    EXPECT_LE(d.frames, 180L * 48000) << name;
    EXPECT_GT(rms(d), 200.0) << name;
    double diff = 0;
    long half = d.frames / 2;
    for (long i = 0; i < half * 2; ++i) diff += std::fabs((double)d.pcm[i] - d.pcm[i + half * 2]);
    if (level_piece) {
      EXPECT_GT(diff / (half * 2), rms(d) * 0.5) << name << " repeats one shorter loop";
    }
    EXPECT_LT(low_share(d), 0.3) << name << " keeps too much of its energy below 80 Hz";
    EXPECT_NEAR(loudness_integrated(as_buffer(d)), music_loudness_lufs, 1.0) << name;
    // The step across the loop point is no bigger than the music's own steps between samples.
    std::vector<int> steps;
    for (long i = 1; i < d.frames; ++i) steps.push_back(std::abs(d.pcm[i * 2] - d.pcm[(i - 1) * 2]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    int typical_peak = steps[steps.size() * 999 / 1000];
    for (int ch = 0; ch < 2; ++ch) {
      int seam = std::abs(d.pcm[ch] - d.pcm[(d.frames - 1) * 2 + ch]);
      EXPECT_LE(seam, typical_peak) << name << " clicks at its loop point";
    }
  }
}

// The mix the game plays them in: the level music at gain 0.8, the player's gun at 0.25, an enemy's
// shot from ten units at a tenth. The rifle stands at least 6 LU over the loudest track, and an
// enemy's shot or cry from ten units is at least as loud as it.
TEST(AssetSounds, GunsAndCriesCarryOverTheMusic) {
  // Every track is mastered to this loudness (checked above, within 1 LU).
  const double music = music_loudness_lufs + 1.0 + 20 * std::log10(0.8);
  auto loudest = [](const char* name) {
    decoded d;
    EXPECT_TRUE(decode(std::string("sound/") + name + ".opus", d)) << name;
    return loudness_momentary_max(as_buffer(d));
  };
  EXPECT_GE(loudest("gun1") + 20 * std::log10(0.25), music + 6.0);
  for (const char* name : {"gun1", "gun_lazer", "human_pain"})
    EXPECT_GE(loudest(name) - 20.0, music) << name << " from ten units is buried under the music";
}

TEST(AssetSounds, EachTrackHasItsOwnMusic) {
  std::vector<long> lengths;
  for (const char* name : music_names) {
    int err = 0;
    OggOpusFile* f = op_open_file((data_dir() + "/sound/" + name + ".opus").c_str(), &err);
    ASSERT_NE(f, nullptr) << name;
    lengths.push_back((long)op_pcm_total(f, -1));
    op_free(f);
  }
  std::sort(lengths.begin(), lengths.end());
  EXPECT_GE(std::unique(lengths.begin(), lengths.end()) - lengths.begin(), 6) << "tempos barely differ";
}
