// The campaign's compiled map files as the game reads them: every level loads,
// holds what levels/README.md records, grows past Facility, arms the player
// for its fights, and the seven mice and the looks are spread as the
// campaign needs.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "entities/entity.h"
#include "tests/level/level_fixture.h"
#include "tests/levels/campaign_table.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/world_texture.h"

namespace {

// What one loaded level holds.
struct level_facts {
  bool loaded = false;
  std::map<int, int> counts;  // entities by type
  int polygons = 0;
  int nav_nodes = 0;
  std::set<std::string> textures;
};

int count_polygons(const bsp_node* n) {
  if (!n || n->is_leaf) return 0;
  return (n->poly ? 1 : 0) + count_polygons(n->front) + count_polygons(n->back);
}

level_facts load_facts(const campaign_level& level) {
  level_facts f;
  level_records records;
  capture_stdout_begin();
  f.loaded = records.load(campaign_map_path(level));
  capture_stdout_end();
  if (!f.loaded) return f;
  for (const entity* e = records.entity_list->next; e; e = e->next) ++f.counts[e->type];
  f.polygons = count_polygons(records.bsp_root);
  for (const ai_node* a = records.ai_node_list; a; a = a->next) ++f.nav_nodes;
  for (const world_texture* t = records.textures.world_textures; t; t = t->next) f.textures.insert(t->path);
  return f;
}

// Health at load and walking speed do not matter here; what the player has
// to wear down does.
int health_of(int type) {
  switch (type) {
    case 201: return 600;
    case 202: return 200;
    case 203: return 1000;
    case 204: return 600;
    case 205: return 300;
    case 206: return 500;
    case 207: return 600;
    case 208: return 500;
    case 209: return 2600;
    case 210: return 600;
    case 211: return 600;
    case 212: return 6000;
    case 213: return 8000;
    default: return 100;
  }
}

bool is_enemy(int type) { return type >= 200 && type < 300; }
bool is_boss(int type) { return type == 209 || type == 212 || type == 213; }

class CampaignFiles : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(test_gl_context());
    for (const campaign_level& l : campaign_levels()) facts()[l.number] = load_facts(l);
  }
  static std::map<int, level_facts>& facts() {
    static std::map<int, level_facts> all;
    return all;
  }
};

TEST_F(CampaignFiles, EveryLevelLoadsHoldingWhatItsRecordSays) {
  for (const campaign_level& l : campaign_levels()) {
    SCOPED_TRACE(l.file);
    const level_facts& f = facts()[l.number];
    ASSERT_TRUE(f.loaded) << campaign_map_path(l);
    EXPECT_EQ(f.counts, campaign_entity_counts(l));
    EXPECT_EQ(f.counts.count(1) ? f.counts.at(1) : 0, 1) << "one player start";
    int exits = f.counts.count(2) ? f.counts.at(2) : 0;
    if (l.ends_by_death)
      EXPECT_EQ(exits, 0) << "the level ends by a death, not by an exit";
    else
      EXPECT_GE(exits, 1);
  }
}

TEST_F(CampaignFiles, TheBossLevelsHoldTheEnemiesThatEndThem) {
  std::map<int, std::pair<int, int>> ending = {{4, {209, 1}}, {6, {212, 1}}, {9, {212, 2}}, {15, {213, 1}}};
  for (const campaign_level& l : campaign_levels()) {
    SCOPED_TRACE(l.file);
    EXPECT_EQ(l.ends_by_death, ending.count(l.number) == 1);
    if (!ending.count(l.number)) continue;
    auto [type, least] = ending.at(l.number);
    const std::map<int, int>& c = facts()[l.number].counts;
    EXPECT_GE(c.count(type) ? c.at(type) : 0, least);
  }
}

TEST_F(CampaignFiles, LevelsGrowPastFacilityWithTwelveEnemiesOfThreeKinds) {
  const level_facts& facility = facts()[0];
  for (const campaign_level& l : campaign_levels()) {
    if (l.number < 1 || l.number > 15) continue;
    SCOPED_TRACE(l.file);
    const level_facts& f = facts()[l.number];
    EXPECT_GT(f.polygons, facility.polygons);
    EXPECT_GT(f.nav_nodes, facility.nav_nodes);
    int enemies = 0;
    std::set<int> kinds;
    for (auto [type, n] : f.counts) {
      if (!is_enemy(type) || (l.ends_by_death && is_boss(type))) continue;
      enemies += n;
      kinds.insert(type);
    }
    // A boss level may hold fewer besides its boss.
    EXPECT_GE(enemies, l.ends_by_death ? 6 : 12);
    EXPECT_GE(kinds.size(), 3u);
  }
}

// What the guns can take off enemies with everything picked up: the
// starting magazine and reserve, then each pickup's rounds at the damage of
// its gun. The shotgun counts one pellet in three as a hit, and the whole
// must cover every enemy twice over, for the shots that miss.
TEST_F(CampaignFiles, PickupsArmThePlayerForEveryFight) {
  for (const campaign_level& l : campaign_levels()) {
    SCOPED_TRACE(l.file);
    const std::map<int, int>& c = facts()[l.number].counts;
    auto n = [&](int type) { return c.count(type) ? c.at(type) : 0; };
    double damage = 260 * 25.0;
    damage += n(400) * 100 * 25.0;
    damage += n(401) * 10 * 5 * 45.0;
    damage += n(402) * 100 * 70.0;
    damage += n(403) * 20 * 5 * 70.0;
    double health = 0;
    for (auto [type, count] : c)
      if (is_enemy(type)) health += health_of(type) * count;
    // The last boss hatches brutes while it fights.
    if (n(213)) health += 10 * health_of(201);
    EXPECT_GE(damage, 2 * health);
    if (l.number >= 1 && l.number <= 15) {
      EXPECT_GE(n(410), 1) << "some morphine";
    }
  }
}

}  // namespace
