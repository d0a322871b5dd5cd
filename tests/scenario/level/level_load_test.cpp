// Loading a level: what is carried, what is read, and what a rejected file leaves.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/entity.h"
#include "platform/directory.h"
#include "tests/scenario/level/level_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/world_texture.h"

namespace {

std::string current_directory() {
  char dir[4096];
  return getcwd(dir, sizeof dir) ? std::string(dir) : std::string();
}

int count_entities(const entity* head) {
  int n = 0;
  for (const entity* e = head ? head->next : nullptr; e; e = e->next) ++n;
  return n;
}

class LevelLoad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

TEST_F(LevelLoad, ReadsAllFourSectionsAndCarriesTheCounters) {
  level_records r;
  r.the_player.kills = 10;
  r.the_player.score = 4200;
  r.the_player.mice = 3;
  r.the_player.level_number = 5;
  r.the_player.health = 7;
  r.the_player.pos[0] = 99;
  std::string before = current_directory();
  capture_stdout_begin();
  bool ok = r.load(box_room_path());
  std::string log = capture_stdout_end();
  ASSERT_TRUE(ok) << log;
  EXPECT_EQ(current_directory(), before);

  const player& p = r.the_player;
  EXPECT_EQ(p.kills, 10);
  EXPECT_EQ(p.kills_at_level_start, 10);
  EXPECT_EQ(p.score_at_level_start, 4200);
  EXPECT_EQ(p.mice_at_level_start, 3);
  EXPECT_EQ(p.level_number, 5);
  EXPECT_EQ(p.health, 100);  // a fresh player
  EXPECT_DOUBLE_EQ(p.pos[0], 2.0);

  EXPECT_EQ(count_occurrences(log, "reading elist..\n"), 8);  // the load's own line, 6 records, the end
  EXPECT_TRUE(lines_in_order(log, {"EONL\n", "reading elist..\n", "EOEL\n", "texID = 1\n", "EOTC\n",
                                   "found header\n", "retnormal\n"}));
  EXPECT_EQ(count_entities(r.entity_list), 6);
  EXPECT_EQ(r.entity_list->next->type, 1);
  EXPECT_EQ(r.entity_list->next->next->health, 600);
  ASSERT_NE(r.ai_node_list, nullptr);
  EXPECT_EQ(r.ai_node_list->links[0]->id, 1);
  ASSERT_NE(r.textures.world_textures, nullptr);
  EXPECT_EQ(r.textures.world_textures->id, 1);
  ASSERT_NE(r.bsp_root, nullptr);
  ASSERT_NE(r.bsp_root->poly, nullptr);
  EXPECT_EQ(r.bsp_root->poly->light_rows, 4);
  EXPECT_TRUE(glIsTexture(r.bsp_root->poly->light_texture));
}

TEST_F(LevelLoad, MissingFileIsReportedAndChangesNothing) {
  level_records r;
  r.the_player.kills = 4;
  bsp_node* root = r.bsp_root;
  capture_stdout_begin();
  bool ok = r.load("no/such/map.t3bsp");
  std::string log = capture_stdout_end();
  EXPECT_FALSE(ok);
  EXPECT_NE(log.find("map \"no/such/map.t3bsp\" rejected: the file cannot be opened"), std::string::npos)
      << log;
  EXPECT_EQ(r.bsp_root, root);
  EXPECT_EQ(r.the_player.kills, 4);
  EXPECT_EQ(r.entity_list->next, nullptr);
}

// Every cut of the real map ends inside a record (or before the tree is
// complete): each is refused, and nothing of it is left in the records.
TEST_F(LevelLoad, TruncatedMapsLeaveNothingHalfLoaded) {
  std::string text = read_file_text(box_room_path());
  ASSERT_GT(text.size(), 1000u);
  std::string before = current_directory();
  // The last cut keeps all but the final "RET" and newline.
  for (size_t cut = 0; cut + 4 < text.size(); cut += 37) {
    std::string path = write_temp_map("cut.t3bsp", text.substr(0, cut));
    level_records r;
    capture_stdout_begin();
    bool ok = r.load(path);
    std::string log = capture_stdout_end();
    unlink(path.c_str());
    EXPECT_FALSE(ok) << "cut at " << cut;
    EXPECT_EQ(count_occurrences(log, "rejected: "), 1) << "cut at " << cut;
    EXPECT_EQ(r.entity_list->next, nullptr);
    EXPECT_EQ(r.bsp_root, nullptr);
    EXPECT_EQ(r.ai_node_list, nullptr);
    EXPECT_EQ(r.textures.world_textures, nullptr);
    EXPECT_EQ(current_directory(), before);
  }
}

TEST_F(LevelLoad, MapWithoutPlayerStartOrNodesStillLoads) {
  std::string path = write_temp_map("bare.t3bsp", "EONL EOEL EOTC NODE 1 0 END");
  level_records r;
  capture_stdout_begin();
  bool ok = r.load(path);
  capture_stdout_end();
  unlink(path.c_str());
  EXPECT_TRUE(ok);
  EXPECT_EQ(r.ai_node_list, nullptr);
  EXPECT_EQ(r.entity_list->next, nullptr);
  EXPECT_EQ(r.bsp_root->is_leaf, 1);
}

// Every map the build generated loads.
TEST_F(LevelLoad, GeneratedCampaignMapsLoad) {
  const char* data = getenv("TARVO_DATA_DIR");
  std::string maps = std::string(data ? data : "data") + "/maps";
  FILE* list = popen(("ls " + maps + "/*.t3bsp 2>/dev/null").c_str(), "r");
  ASSERT_NE(list, nullptr);
  char line[4096];
  int loaded = 0;
  while (fgets(line, sizeof line, list)) {
    std::string path(line);
    if (!path.empty() && path.back() == '\n') path.pop_back();
    level_records r;
    capture_stdout_begin();
    bool ok = r.load(path);
    std::string log = capture_stdout_end();
    EXPECT_TRUE(ok) << path << ": "
                    << log.substr(log.find("rejected") == std::string::npos ? 0 : log.find("rejected"), 200);
    ++loaded;
  }
  pclose(list);
  if (loaded == 0) GTEST_SKIP() << "no generated maps in " << maps;
}

}  // namespace
