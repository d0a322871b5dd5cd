// The data tree as a whole: regenerating it gives the same bytes, it stays small, and the
// shipped config reads back through the engine's own reader to the intended values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/config_file.h"
#include "config/config_table.h"
#include "tests/tools/assetgen/asset_files.h"
#include "tools/assetgen/config_writer.h"

namespace fs = std::filesystem;

namespace {

// Files the generator writes: everything below textures/ and sound/, and config.cfg.
std::vector<std::string> generated_files(const std::string& root) {
  std::vector<std::string> out;
  for (const char* sub : {"textures", "sound"}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root + "/" + sub, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
      if (it->is_regular_file()) out.push_back(fs::relative(it->path(), root).generic_string());
  }
  out.push_back("config.cfg");
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(AssetTree, SecondRunWritesIdenticalBytes) {
  // A folder of this run's own, so that two test runs at once do not share it.
  std::string pattern = (fs::temp_directory_path() / "tarvo_assetgen_rerun_XXXXXX").string();
  ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
  std::string fresh = pattern;
  std::string cmd = std::string(ASSETGEN_EXE) + " " + fresh + " > /dev/null";
  ASSERT_EQ(system(cmd.c_str()), 0);
  std::vector<std::string> a = generated_files(data_dir()), b = generated_files(fresh);
  ASSERT_EQ(a, b);
  for (const std::string& rel : a) {
    std::vector<unsigned char> x, y;
    ASSERT_TRUE(read_bytes(data_dir() + "/" + rel, x)) << rel;
    ASSERT_TRUE(read_bytes(fresh + "/" + rel, y)) << rel;
    EXPECT_TRUE(x == y) << rel << " differs between runs";
  }
  fs::remove_all(fresh);
}

TEST(AssetTree, StaysUnderFortyMegabytes) {
  uintmax_t total = 0;
  for (const std::string& rel : generated_files(data_dir())) total += fs::file_size(data_dir() + "/" + rel);
  EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST(AssetTree, ShippedConfigReadsBackToItsValues) {
  config_table table{};
  set_config_defaults(table);
  std::string path = data_dir() + "/config.cfg";
  read_config_file_at(table, path.c_str());
  for (int k = 0; k < shipped_setting_count; ++k) {
    const shipped_setting& s = shipped_setting_at(k);
    ASSERT_STREQ(table.vars[k].name, s.name) << "the file lists the variables in table order";
    if (s.name[0] == 'm')
      EXPECT_DOUBLE_EQ(table.vars[k].value.as_double, s.value) << s.name;
    else
      EXPECT_EQ(table.vars[k].value.as_int, (int)s.value) << s.name;
  }
}

TEST(AssetTree, ShippedConfigMakesAGoodFirstRun) {
  config_table table{};
  set_config_defaults(table);
  read_config_file_at(table, (data_dir() + "/config.cfg").c_str());
  EXPECT_EQ(config_find(table, "vid_fps")->value.as_int, 60);
  EXPECT_EQ(config_find(table, "vid_fullscreen")->value.as_int, 0);
  // The sky cube's corners are 150 * sqrt(3) from the eye; the far plane must lie beyond them.
  EXPECT_GT(config_find(table, "vid_render_distance")->value.as_int, 150.0 * std::sqrt(3.0));
  int fov = config_find(table, "vid_fov")->value.as_int;
  EXPECT_GE(fov, 50);
  EXPECT_LE(fov, 90);
  int mode = config_find(table, "vid_mode")->value.as_int;
  EXPECT_TRUE(mode == 1 || mode == 2 || (mode >= 9 && mode <= 13))
      << "window mode " << mode << " may not fit a laptop";
  for (const char* dbg : {"dbg_draw_vel", "dbg_draw_accel", "dbg_draw_aigraph", "dbg_draw_hbox",
                          "dbg_draw_aimvec", "dbg_draw_e_aimvec", "dbg_draw_fps"})
    EXPECT_EQ(config_find(table, dbg)->value.as_int, 0) << dbg;
}
