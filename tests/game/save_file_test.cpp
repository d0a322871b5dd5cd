// The save file: its one line, reading damaged files, and writes that fail
// without touching the old save.
#include "game/save_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/game/menu_rig.h"
#include "tests/support/capture_stdout.h"

namespace {

save_record read_back(const char* text, save_read_result* result, save_record start = {1, 2, 3, 4}) {
  scratch_folder folder;
  folder.write("data/save.sav", text);
  *result = save_file_read("data/save.sav", start);
  return start;
}

// The line is four numbers with single spaces and no line end, written and
// read back exactly; nothing is left beside it.
TEST(SaveFile, WritesOneLineAndReadsItBack) {
  scratch_folder folder;
  ASSERT_TRUE(save_file_write("data/save.sav", save_record{3, 1200, 14, 2}));
  EXPECT_EQ(folder.read("data/save.sav"), "3 1200 14 2");
  EXPECT_EQ(folder.read("data/save.sav.tmp"), "(none)");
  ASSERT_TRUE(save_file_write("data/save.sav", save_record{12, -5, 2147483647, 0}));
  EXPECT_EQ(folder.read("data/save.sav"), "12 -5 2147483647 0");

  save_record record{};
  folder.write("data/save.sav", "16 9000 120 3\n");
  EXPECT_EQ(save_file_read("data/save.sav", record), save_read);
  EXPECT_EQ(record.level_number, 16);
  EXPECT_EQ(record.score, 9000);
  EXPECT_EQ(record.kills, 120);
  EXPECT_EQ(record.mice, 3);  // the secret level's seven mice are Continue's business
}

// Damaged files: the level must be a campaign level; missing numbers keep
// their values; negative counters read as 0; every case is logged.
TEST(SaveFile, DamagedFilesNeverGiveALevelOutsideTheCampaign) {
  save_read_result result;
  capture_stdout_begin();
  save_record r = read_back("7 300", &result);
  EXPECT_EQ(result, save_read);
  EXPECT_EQ(r.level_number, 7);
  EXPECT_EQ(r.score, 300);
  EXPECT_EQ(r.kills, 3);
  EXPECT_EQ(r.mice, 4);

  r = read_back("8 10 -4 -1", &result);
  EXPECT_EQ(result, save_read);
  EXPECT_EQ(r.kills, 0);
  EXPECT_EQ(r.mice, 0);

  r = read_back("  0\t\n5 6 7 trailing words", &result);
  EXPECT_EQ(result, save_read);
  EXPECT_EQ(r.level_number, 0);
  EXPECT_EQ(r.mice, 7);

  const char* refused[] = {"", "   ", "garbage", "-1 0 0 0", "17 0 0 0", "2147483648 0 0 0", "+-3 1 1 1"};
  for (const char* text : refused) {
    r = read_back(text, &result);
    EXPECT_EQ(result, save_unusable) << text;
    EXPECT_EQ(r.level_number, 1) << text;  // untouched
  }
  std::string log = capture_stdout_end();
  EXPECT_TRUE(
      lines_in_order(log, {"save file \"data/save.sav\" is cut short: 2 of 4 numbers read\n",
                           "save file \"data/save.sav\": kills -4 is negative; using 0\n",
                           "save file \"data/save.sav\": mice -1 is negative; using 0\n",
                           "save file \"data/save.sav\" holds no level number; ignored\n",
                           "save file \"data/save.sav\": level -1 is not in the campaign; ignored\n",
                           "save file \"data/save.sav\": level 17 is not in the campaign; ignored\n"}))
      << log;

  scratch_folder folder;
  save_record untouched{1, 2, 3, 4};
  EXPECT_EQ(save_file_read("data/save.sav", untouched), save_missing);
  EXPECT_EQ(untouched.level_number, 1);
}

// A write that cannot finish leaves the old save as it was and says why:
// no folder, a temporary file that cannot be made, a full disk.
TEST(SaveFile, FailedWriteKeepsTheOldSave) {
  scratch_folder folder;
  folder.write("data/save.sav", "4 800 20 1");
  bool blocked = mkdir("data/save.sav.tmp", 0755) == 0;
  capture_stdout_begin();
  bool no_folder = save_file_write("missing/save.sav", save_record{0, 0, 0, 0});
  bool into_directory = save_file_write("data/save.sav", save_record{5, 0, 0, 0});
  std::string log = capture_stdout_end();
  EXPECT_TRUE(blocked);
  EXPECT_FALSE(no_folder);
  EXPECT_FALSE(into_directory);
  EXPECT_EQ(folder.read("data/save.sav"), "4 800 20 1");
  EXPECT_EQ(rmdir("data/save.sav.tmp"), 0);  // someone else's: left alone

  // A disk that is full: every write to /dev/full fails when flushed.
  bool linked = symlink("/dev/full", "data/save.sav.tmp") == 0;
  capture_stdout_begin();
  bool full = save_file_write("data/save.sav", save_record{6, 0, 0, 0});
  log += capture_stdout_end();
  EXPECT_TRUE(linked);
  EXPECT_FALSE(full);
  EXPECT_EQ(folder.read("data/save.sav"), "4 800 20 1");
  struct stat info;
  EXPECT_NE(lstat("data/save.sav.tmp", &info), 0);  // the failed temporary file is gone
  EXPECT_TRUE(lines_in_order(log, {"save file \"missing/save.sav\" not written: No such file or directory\n",
                                   "save file \"data/save.sav\" not written: Is a directory\n",
                                   "save file \"data/save.sav\" not written: No space left on device\n"}))
      << log;

  // A folder the player may not write to (permissions bind only a user who
  // is not root).
  if (geteuid() != 0) {
    EXPECT_EQ(chmod("data", 0555), 0);
    EXPECT_FALSE(save_file_write("data/save.sav", save_record{7, 0, 0, 0}));
    chmod("data", 0755);
    EXPECT_EQ(folder.read("data/save.sav"), "4 800 20 1");
  }
  EXPECT_TRUE(save_file_write("data/save.sav", save_record{8, 1, 1, 1}));
  EXPECT_EQ(folder.read("data/save.sav"), "8 1 1 1");
}

}  // namespace
