// The generated sounds: each opens with libopusfile with the intended channels and length, and
// the music loops without a jump at its seam.
#include <gtest/gtest.h>

#include <opusfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/tools/asset_files.h"

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
    int n = op_read(f, out.pcm.data() + got * out.channels, (int)((out.frames - got) * out.channels), nullptr);
    if (n <= 0) break;
    got += n;
  }
  op_free(f);
  return got == out.frames;
}

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

TEST(AssetSounds, MusicIsStereoBetweenHalfAMinuteAndNinetySeconds) {
  for (const char* name : {"menu", "music1", "music3", "music5", "music6", "music7", "music8", "music9", "music10",
                           "mouse"}) {
    decoded d;
    ASSERT_TRUE(decode(std::string("sound/") + name + ".opus", d)) << name;
    EXPECT_EQ(d.channels, 2) << name;
    EXPECT_GE(d.frames, 30L * 48000) << name;
    EXPECT_LE(d.frames, 90L * 48000) << name;
    EXPECT_GT(rms(d), 1500.0) << name;
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

TEST(AssetSounds, EachTrackHasItsOwnMusic) {
  const char* names[] = {"menu", "music1", "music3", "music5", "music6", "music7", "music8", "music9", "music10",
                         "mouse"};
  std::vector<long> lengths;
  for (const char* name : names) {
    decoded d;
    ASSERT_TRUE(decode(std::string("sound/") + name + ".opus", d)) << name;
    lengths.push_back(d.frames);
  }
  std::sort(lengths.begin(), lengths.end());
  EXPECT_GE(std::unique(lengths.begin(), lengths.end()) - lengths.begin(), 6) << "tempos barely differ";
}
