// Where the game's files go: data/ when it can be written, the user's own
// folder when it cannot (an installed game). The read-only cases run in a
// child process without root's right to write anywhere.
#include "config/user_folder.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/config_file.h"
#include "config/video_settings.h"
#include "game/campaign.h"
#include "game/save_file.h"
#include "player/player.h"
#include "tests/support/capture_stdout.h"

namespace fs = std::filesystem;

namespace {

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_all(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string shipped_config() {
  const char* data = getenv("TARVO_DATA_DIR");
  return read_all(std::string(data ? data : "data") + "/config.cfg");
}

// A game folder with data/config.cfg under a fresh folder everyone may
// enter, and an empty place for the user's data.
struct game_tree {
  std::string root;
  game_tree() {
    char pattern[] = "/tmp/tarvo_user_XXXXXX";
    root = mkdtemp(pattern) ? pattern : "";
    chmod(root.c_str(), 0777);
    fs::create_directories(root + "/game/data");
    fs::create_directories(root + "/xdg");
    chmod((root + "/xdg").c_str(), 0777);
    write_all(root + "/game/data/config.cfg", shipped_config());
  }
  ~game_tree() {
    std::error_code ignored;
    fs::permissions(root + "/game/data", fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
  }
  std::string data() const { return root + "/game/data"; }
  std::string user() const { return root + "/xdg/tarvo"; }
};

// Takes away root's right to write into read-only folders: the process goes
// on as nobody. A process that is not root has no such right to lose.
bool drop_root() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0 &&
         setresuid(65534, 65534, 65534) == 0;
}

int32_t int_of(const config_table& table, const char* name) { return config_find(table, name)->value.as_int; }

// The installed game's first two runs, with data/ read-only. Ends the
// process: exit code 0 when every check held.
void read_only_runs(const game_tree& tree) {
  chmod(tree.data().c_str(), 0555);
  if (!drop_root()) {
    fprintf(stderr, "cannot become nobody\n");
    _exit(2);
  }
  ASSERT_EQ(chdir((tree.root + "/game").c_str()), 0);
  setenv("XDG_DATA_HOME", (tree.root + "/xdg").c_str(), 1);

  // First run: the folder is made and the shipped config copied into it.
  capture_stdout_begin();
  user_folder_setup();
  std::string log = capture_stdout_end();
  EXPECT_TRUE(user_folder_active());
  EXPECT_EQ(std::string(user_folder_path()), tree.user());
  std::string user_config = tree.user() + "/config.cfg";
  EXPECT_TRUE(
      lines_in_order(log, {"user folder: data/ cannot be written; the save, screenshots and config go to \"" +
                               tree.user() + "\"\n",
                           "user folder: copied \"data/config.cfg\" to \"" + user_config + "\"\n"}))
      << log;
  EXPECT_EQ(read_all(user_config), shipped_config());
  EXPECT_FALSE(fs::exists(user_config + ".tmp"));

  // The player edits the copy; the game reads it, not the shipped one.
  std::string edited = read_all(user_config);
  size_t at = edited.find("vid_fov ");
  ASSERT_NE(at, std::string::npos);
  edited.replace(at, edited.find('\n', at) - at, "vid_fov 88");
  write_all(user_config, edited);
  config_table table{};
  video_settings video{};
  capture_stdout_begin();
  load_config(table, video);
  capture_stdout_end();
  EXPECT_EQ(int_of(table, "vid_fov"), 88);
  EXPECT_EQ(video.fov, 88);

  // A level start saves into the user's folder; "Continue" reads it back.
  EXPECT_FALSE(save_file_write(save_file_path, save_record{3, 1, 1, 0}));  // data/ refuses it
  EXPECT_TRUE(save_file_write(user_save_write_path(), save_record{4, 1200, 17, 2}));
  EXPECT_EQ(read_all(tree.user() + "/save.sav"), "4 1200 17 2");
  EXPECT_FALSE(fs::exists(tree.data() + "/save.sav"));
  player p{};
  menu_state menu{};
  capture_stdout_begin();
  EXPECT_TRUE(campaign_continue(menu, p));
  capture_stdout_end();
  EXPECT_EQ(p.level_number, 4);
  EXPECT_EQ(p.score, 1200);

  // Second run: the player's config is theirs; nothing is copied over it.
  capture_stdout_begin();
  user_folder_setup();
  log = capture_stdout_end();
  EXPECT_EQ(log.find("copied"), std::string::npos) << log;
  EXPECT_NE(read_all(user_config).find("vid_fov 88\n"), std::string::npos);
  EXPECT_EQ(std::string(user_config_path()), user_config);

  // With the user's folder unwritable as well, nothing pretends to save:
  // the paths fall back to data/, whose refusal the save file logs.
  fs::create_directories(tree.root + "/xdg/locked");
  setenv("XDG_DATA_HOME", (tree.root + "/locked_xdg").c_str(), 1);
  capture_stdout_begin();
  user_folder_setup();
  log = capture_stdout_end();
  EXPECT_FALSE(user_folder_active());
  EXPECT_NE(log.find("user folder: data/ cannot be written and neither can \""), std::string::npos) << log;
  EXPECT_EQ(std::string(user_save_write_path()), "data/save.sav");
  user_folder_reset();
  _exit(testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace

TEST(UserFolder, AnInstalledGameWithReadOnlyDataKeepsItsFilesInTheUsersFolder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  game_tree tree;
  ASSERT_FALSE(tree.root.empty());
  // The locked folder that cannot be made: its parent is read-only.
  fs::create_directories(tree.root + "/locked_xdg");
  chmod((tree.root + "/locked_xdg").c_str(), 0555);
  EXPECT_EXIT(read_only_runs(tree), testing::ExitedWithCode(0), "");
}

TEST(UserFolder, AWritableDataFolderKeepsEverythingInDataAsBefore) {
  game_tree tree;
  ASSERT_FALSE(tree.root.empty());
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir((tree.root + "/game").c_str()), 0);
  const char* old_xdg = getenv("XDG_DATA_HOME");
  std::string kept = old_xdg ? old_xdg : "";
  setenv("XDG_DATA_HOME", (tree.root + "/xdg").c_str(), 1);
  // Even a save left in the user's folder by an installed copy is not read.
  fs::create_directories(tree.user());
  write_all(tree.user() + "/save.sav", "9 9 9 9");
  write_all(tree.user() + "/config.cfg", "vid_fov 111\n");

  capture_stdout_begin();
  user_folder_setup();
  std::string log = capture_stdout_end();
  EXPECT_FALSE(user_folder_active());
  EXPECT_EQ(log, "");
  EXPECT_EQ(std::string(user_config_path()), "data/config.cfg");
  EXPECT_EQ(std::string(user_save_read_path()), "data/save.sav");
  EXPECT_EQ(std::string(user_save_write_path()), "data/save.sav");
  config_table table{};
  video_settings video{};
  capture_stdout_begin();
  load_config(table, video);
  capture_stdout_end();
  EXPECT_NE(int_of(table, "vid_fov"), 111);
  EXPECT_FALSE(fs::exists(tree.data() + "/.tarvo-write-probe"));
  EXPECT_EQ(fs::directory_iterator(tree.data())->path().filename(), "config.cfg");  // the probe is gone

  if (old_xdg)
    setenv("XDG_DATA_HOME", kept.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  ASSERT_EQ(chdir(here), 0);
}
