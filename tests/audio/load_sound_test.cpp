// load_sound on real Ogg Opus files: channels, length, the log, broken files.
#include "audio/load_sound.h"

#include <AL/al.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "audio/audio_device.h"
#include "audio/background_sound.h"
#include "audio/fixed_sounds.h"
#include "audio/sound_source.h"
#include "tests/audio/opus_fixture.h"
#include "tests/support/capture_stdout.h"

namespace {

struct buffer_info {
  int channels, bits, frequency, size;
};

buffer_info info(uint32_t buffer) {
  buffer_info i{};
  alGetBufferi(buffer, AL_CHANNELS, &i.channels);
  alGetBufferi(buffer, AL_BITS, &i.bits);
  alGetBufferi(buffer, AL_FREQUENCY, &i.frequency);
  alGetBufferi(buffer, AL_SIZE, &i.size);
  return i;
}

class LoadSound : public testing::Test {
 protected:
  static void SetUpTestSuite() { table = init_audio(); }
  static void TearDownTestSuite() {
    uint32_t none = 0;
    close_audio(table, none);
  }
  void SetUp() override {
    ASSERT_NE(table.context, nullptr) << "the null backend should give a device";
    dir = temp_dir();
  }
  // Loads `path`, keeping the log; the buffer is deleted at the end of the test.
  uint32_t load(const std::string& path) {
    capture_stdout_begin();
    uint32_t buffer = load_sound(path.c_str());
    log = capture_stdout_end();
    loaded.push_back(buffer);
    return buffer;
  }
  void TearDown() override {
    for (uint32_t& b : loaded) delete_sound_buffer(b);
  }
  static sound_table table;
  std::string dir;
  std::string log;
  std::vector<uint32_t> loaded;
};

sound_table LoadSound::table;

TEST_F(LoadSound, MonoAndStereoFilesFromLibopusenc) {
  std::string mono = dir + "/mono.opus", stereo = dir + "/stereo.opus";
  ASSERT_TRUE(write_opus_libopusenc(mono, tone(72000, 1, 440.0), 1));
  ASSERT_TRUE(write_opus_libopusenc(stereo, tone(130000, 2, 300.0), 2));

  uint32_t b = load(mono);
  ASSERT_NE(b, 0u);
  EXPECT_TRUE(alIsBuffer(b));
  buffer_info i = info(b);
  EXPECT_EQ(i.channels, 1);
  EXPECT_EQ(i.bits, 16);
  EXPECT_EQ(i.frequency, 48000);
  EXPECT_EQ(i.size, 72000 * 2);
  EXPECT_EQ(log, "opening file " + mono + "...\n" + mono + ": 1 channels, 72000 samples (1 seconds)\n");

  b = load(stereo);
  ASSERT_NE(b, 0u);
  i = info(b);
  EXPECT_EQ(i.channels, 2);
  EXPECT_EQ(i.frequency, 48000);
  EXPECT_EQ(i.size, 130000 * 2 * 2);
  // 130000 / 48000 is 2.7: whole seconds, rounded down.
  EXPECT_EQ(log, "opening file " + stereo + "...\n" + stereo + ": 2 channels, 130000 samples (2 seconds)\n");
}

TEST_F(LoadSound, MonoAndStereoFilesFromOpusencCommand) {
  for (int channels : {1, 2}) {
    std::string wav = dir + "/in" + std::to_string(channels) + ".wav";
    std::string opus = dir + "/out" + std::to_string(channels) + ".opus";
    ASSERT_TRUE(write_wav(wav, tone(150000, channels, 500.0), channels, 48000));
    ASSERT_TRUE(run_opusenc(wav, opus)) << "opusenc (package opus-tools) failed";
    uint32_t b = load(opus);
    ASSERT_NE(b, 0u) << log;
    buffer_info i = info(b);
    EXPECT_EQ(i.channels, channels);
    EXPECT_EQ(i.bits, 16);
    EXPECT_EQ(i.frequency, 48000);
    EXPECT_EQ(i.size, 150000 * channels * 2);
    EXPECT_EQ(log, "opening file " + opus + "...\n" + opus + ": " + std::to_string(channels) +
                       " channels, 150000 samples (3 seconds)\n");
  }
}

TEST_F(LoadSound, SoundShorterThanASecond) {
  std::string shot = dir + "/shot.opus";
  ASSERT_TRUE(write_opus_libopusenc(shot, tone(4800, 1, 1000.0), 1));
  uint32_t b = load(shot);
  ASSERT_NE(b, 0u);
  EXPECT_EQ(info(b).size, 4800 * 2);
  EXPECT_NE(log.find(": 1 channels, 4800 samples (0 seconds)\n"), std::string::npos) << log;
}

TEST_F(LoadSound, MissingFileGivesTheErrorLineAndNoBuffer) {
  std::string path = dir + "/nothing_here.opus";
  EXPECT_EQ(load(path), 0u);
  // No line end after the error, as the log has always had it.
  EXPECT_EQ(log, "opening file " + path + "...\nError -129 occured when trying to open the file " + path);
}

TEST_F(LoadSound, FileThatIsNotOpusGivesLibopusfilesError) {
  std::string path = dir + "/text.opus";
  std::string text = "this is not an ogg stream\n";
  ASSERT_TRUE(write_bytes(path, std::vector<uint8_t>(text.begin(), text.end())));
  EXPECT_EQ(load(path), 0u);
  EXPECT_EQ(log, "opening file " + path + "...\nError -132 occured when trying to open the file " + path);
}

TEST_F(LoadSound, MoreThanTwoChannelsAreMixedToStereo) {
  std::string path = dir + "/three.opus";
  ASSERT_TRUE(write_opus_libopusenc(path, tone(48000, 3, 200.0, 8000.0), 3));
  uint32_t b = load(path);
  ASSERT_NE(b, 0u) << log;
  buffer_info i = info(b);
  EXPECT_EQ(i.channels, 2);
  // Every sample of the file is there, two channels each: the length is kept.
  EXPECT_EQ(i.size, 48000 * 2 * 2);
  EXPECT_NE(log.find(": 3 channels, 48000 samples (1 seconds)\n"), std::string::npos) << log;
}

// Broken files: the stream opens, but what it claims is not what it holds.
TEST_F(LoadSound, StreamClaimingNoSamplesGivesNoBuffer) {
  // A real short stream whose last page says it ends where the pre-skip
  // ends: a total of 0 samples, though there are packets to decode.
  std::string path = dir + "/zero_total.opus";
  ASSERT_TRUE(write_opus_libopusenc(path, tone(960, 1, 440.0), 1));
  std::vector<uint8_t> bytes = read_bytes(path);
  std::vector<size_t> pages = ogg_pages(bytes);
  ASSERT_GE(pages.size(), 3u);
  int pre_skip = bytes[28 + 10] | bytes[28 + 11] << 8;  // in the OpusHead packet
  ogg_set_granule(bytes, pages.back(), pre_skip);
  ASSERT_TRUE(write_bytes(path, bytes));

  EXPECT_EQ(load(path), 0u);
  EXPECT_NE(log.find(path + ": 1 channels, 0 samples (0 seconds)\n"), std::string::npos) << log;
  EXPECT_NE(log.find(path + ": no samples decoded\n"), std::string::npos) << log;
}

TEST_F(LoadSound, DamagedPageInTheMiddleKeepsWhatWasDecoded) {
  std::string path = dir + "/damaged.opus";
  ASSERT_TRUE(write_opus_libopusenc(path, tone(48000 * 4, 1, 440.0), 1));
  std::vector<uint8_t> bytes = read_bytes(path);
  std::vector<size_t> pages = ogg_pages(bytes);
  ASSERT_GT(pages.size(), 6u);
  // Spoil the body of a page halfway through: its checksum no longer holds,
  // so the decoder meets a gap there.
  size_t page = pages[pages.size() / 2];
  for (size_t k = 60; k < 100; ++k) bytes[page + k] ^= 0x5a;
  ASSERT_TRUE(write_bytes(path, bytes));

  uint32_t b = load(path);
  ASSERT_NE(b, 0u) << log;
  int size = info(b).size;
  EXPECT_GT(size, 0);
  EXPECT_LT(size, 48000 * 4 * 2) << "the samples after the gap are not there to upload";
  EXPECT_NE(log.find(path + ": decode error "), std::string::npos) << log;
  EXPECT_NE(log.find(path + ": 1 channels, 192000 samples (4 seconds)\n"), std::string::npos) << log;
}

TEST_F(LoadSound, ClaimedLengthLongerThanTheDataUploadsOnlyTheData) {
  std::string path = dir + "/long_claim.opus";
  ASSERT_TRUE(write_opus_libopusenc(path, tone(48000, 2, 440.0), 2));
  std::vector<uint8_t> bytes = read_bytes(path);
  std::vector<size_t> pages = ogg_pages(bytes);
  ASSERT_GE(pages.size(), 3u);
  // The last page claims ten more seconds than the stream carries.
  size_t last = pages.back();
  ogg_set_granule(bytes, last, ogg_granule(bytes, last) + 48000 * 10);
  ASSERT_TRUE(write_bytes(path, bytes));

  uint32_t b = load(path);
  ASSERT_NE(log.find(path + ": 2 channels, 528000 samples (11 seconds)\n"), std::string::npos) << log;
  ASSERT_NE(b, 0u) << log;
  EXPECT_EQ(info(b).channels, 2);
  // Only what was decoded, never the unwritten rest of the samples array.
  EXPECT_LE(info(b).size, 48000 * 2 * 2 + 960 * 2 * 2);
  EXPECT_GE(info(b).size, 48000 * 2 * 2 - 960 * 2 * 2);
}

}  // namespace

namespace {

// Whether the fixed sounds are loaded in their order into the right fields,
// told apart by their lengths.
TEST_F(LoadSound, FixedSoundsInTheirOrderAndFields) {
  const char* names[] = {"menu", "human_pain", "armor_pain", "gun1", "gun2", "gun_lazer"};
  ASSERT_EQ(system(("mkdir -p " + dir + "/data/sound").c_str()), 0);
  for (int i = 0; i < 6; ++i)
    ASSERT_TRUE(
        write_opus_libopusenc(dir + "/data/sound/" + names[i] + ".opus", tone(4800 * (i + 1), 1, 300.0), 1));
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  sound_table fixed{};
  capture_stdout_begin();
  load_fixed_sounds(fixed);
  log = capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);

  EXPECT_TRUE(lines_in_order(
      log, {"opening file data/sound/menu.opus...\n", "opening file data/sound/human_pain.opus...\n",
            "opening file data/sound/armor_pain.opus...\n", "opening file data/sound/gun1.opus...\n",
            "opening file data/sound/gun2.opus...\n", "opening file data/sound/gun_lazer.opus...\n"}))
      << log;
  // The menu music decodes beside the game: its field fills when something
  // asks to play it, and the same buffer comes back after that.
  EXPECT_EQ(fixed.menu_music, 0u);
  uint32_t menu = menu_music_ready(fixed);
  EXPECT_EQ(fixed.menu_music, menu);
  EXPECT_EQ(menu_music_ready(fixed), menu);
  uint32_t* fields[] = {&fixed.menu_music, &fixed.human_pain, &fixed.armor_pain,
                        &fixed.gun1,       &fixed.gun2,       &fixed.gun_lazer};
  for (int i = 0; i < 6; ++i) {
    ASSERT_NE(*fields[i], 0u) << names[i];
    EXPECT_EQ(info(*fields[i]).size, 4800 * (i + 1) * 2) << names[i];
    loaded.push_back(*fields[i]);
  }
  EXPECT_NE(fixed.music_source, 0u);
  delete_sound_source(fixed.music_source);
}

// The sounds the asset generator ships decode too, when the data is built.
TEST_F(LoadSound, GeneratedFixedSoundsDecode) {
  const char* data = getenv("TARVO_DATA_DIR");
  if (!data || read_bytes(std::string(data) + "/sound/menu.opus").empty())
    GTEST_SKIP() << "no generated data";
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir((std::string(data) + "/..").c_str()), 0);
  sound_table fixed{};
  capture_stdout_begin();
  load_fixed_sounds(fixed);
  menu_music_ready(fixed);
  log = capture_stdout_end();
  ASSERT_EQ(chdir(here), 0);
  for (uint32_t b :
       {fixed.menu_music, fixed.human_pain, fixed.armor_pain, fixed.gun1, fixed.gun2, fixed.gun_lazer}) {
    EXPECT_NE(b, 0u) << log;
    loaded.push_back(b);
  }
  EXPECT_EQ(log.find("Error"), std::string::npos) << log;
  delete_sound_source(fixed.music_source);
}

}  // namespace

namespace {

// A long sound decoded beside the game gives the buffer load_sound gives;
// one given up half-way (the game closing during the splash) uploads nothing
// and leaves nothing behind, and a damaged one says what went wrong when it
// is finished, not from its own thread.
TEST_F(LoadSound, DecodedBesideTheGameOrGivenUp) {
  std::string path = dir + "/long.opus";
  ASSERT_TRUE(write_opus_libopusenc(path, tone(48000 * 20, 2, 220.0), 2));
  uint32_t direct = load(path);
  ASSERT_NE(direct, 0u);

  capture_stdout_begin();
  background_sound* beside = background_sound_start(path.c_str());
  uint32_t finished = background_sound_finish(beside);
  log = capture_stdout_end();
  loaded.push_back(finished);
  ASSERT_NE(finished, 0u) << log;
  EXPECT_EQ(info(finished).size, info(direct).size);
  EXPECT_EQ(info(finished).channels, 2);
  EXPECT_TRUE(lines_in_order(
      log, {"opening file " + path + "...\n", path + ": 2 channels, 960000 samples (20 seconds)\n"}))
      << log;

  capture_stdout_begin();
  background_sound_cancel(background_sound_start(path.c_str()));
  background_sound_cancel(nullptr);
  EXPECT_EQ(background_sound_finish(nullptr), 0u);
  log = capture_stdout_end();

  capture_stdout_begin();
  EXPECT_EQ(background_sound_start((dir + "/missing.opus").c_str()), nullptr);
  log = capture_stdout_end();
  EXPECT_NE(log.find("Error -129 occured when trying to open the file"), std::string::npos) << log;

  // A damaged page half-way: the decoding stops there and says so when it
  // is finished, keeping the samples before the gap.
  std::vector<uint8_t> bytes = read_bytes(path);
  std::vector<size_t> pages = ogg_pages(bytes);
  ASSERT_GT(pages.size(), 6u);
  for (size_t k = 60; k < 100; ++k) bytes[pages[pages.size() / 2] + k] ^= 0x5a;
  ASSERT_TRUE(write_bytes(path, bytes));
  capture_stdout_begin();
  background_sound* damaged = background_sound_start(path.c_str());
  std::string before_finish = capture_stdout_end();
  capture_stdout_begin();
  uint32_t half = background_sound_finish(damaged);
  log = capture_stdout_end();
  loaded.push_back(half);
  EXPECT_EQ(before_finish.find("decode error"), std::string::npos) << before_finish;
  EXPECT_NE(log.find(path + ": decode error "), std::string::npos) << log;
  ASSERT_NE(half, 0u) << log;
  EXPECT_LT(info(half).size, info(direct).size);
}

}  // namespace
