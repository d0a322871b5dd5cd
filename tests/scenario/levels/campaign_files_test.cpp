// The campaign's compiled map files as the game reads them: every level loads,
// holds what levels/README.md records, grows past Facility, arms the player
// for its fights, and the seven mice and the looks are spread as the
// campaign needs.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entities_read.h"
#include "tests/scenario/level/level_fixture.h"
#include "tests/scenario/levels/campaign_table.h"
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
  // What the level mostly looks like: the texture on the most floor
  // polygons and the one on the most wall polygons.
  std::string main_floor, main_wall;
};

int count_polygons(const bsp_node* n) {
  if (!n || n->is_leaf) return 0;
  return (n->poly ? 1 : 0) + count_polygons(n->front) + count_polygons(n->back);
}

void grow_bounds(const bsp_node* n, double lo[3], double hi[3]) {
  if (!n || n->is_leaf) return;
  if (n->poly)
    for (int i = 0; i < n->poly->vert_count; ++i) {
      const map_vertex& v = n->poly->verts[i];
      const double p[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k) {
        lo[k] = std::fmin(lo[k], p[k]);
        hi[k] = std::fmax(hi[k], p[k]);
      }
    }
  grow_bounds(n->front, lo, hi);
  grow_bounds(n->back, lo, hi);
}

// Whether the polygon lies on the level's outer hull (the outside of the
// solid round it, never seen from inside).
bool on_hull(const bsp_polygon& poly, const double lo[3], const double hi[3]) {
  for (int k = 0; k < 3; ++k)
    for (double bound : {lo[k], hi[k]}) {
      bool all = poly.vert_count > 0;
      for (int i = 0; i < poly.vert_count && all; ++i) {
        const map_vertex& v = poly.verts[i];
        all = (k == 0 ? v.x : k == 1 ? v.y : v.z) == bound;
      }
      if (all) return true;
    }
  return false;
}

// Polygons by GL texture, floors (facing up) and walls (facing sideways)
// apart, the level's outer hull left out.
void count_textures(const bsp_node* n, const double lo[3], const double hi[3],
                    std::map<uint32_t, int>& floors, std::map<uint32_t, int>& walls) {
  if (!n || n->is_leaf) return;
  if (n->poly && !on_hull(*n->poly, lo, hi)) {
    const double* v = n->poly->normal;
    double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (v[1] > 0.5 * len)
      ++floors[n->poly->texture];
    else if (std::fabs(v[1]) < 0.5 * len)
      ++walls[n->poly->texture];
  }
  count_textures(n->front, lo, hi, floors, walls);
  count_textures(n->back, lo, hi, floors, walls);
}

std::string most_used(const world_texture* list, std::map<uint32_t, int>& uses) {
  std::string best;
  int most = 0;
  for (const world_texture* t = list; t; t = t->next)
    if (t->texture && uses[t->texture] > most) {
      most = uses[t->texture];
      best = t->path;
    }
  return best;
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
  double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
  grow_bounds(records.bsp_root, lo, hi);
  std::map<uint32_t, int> floors, walls;
  count_textures(records.bsp_root, lo, hi, floors, walls);
  f.main_floor = most_used(records.textures.world_textures, floors);
  f.main_wall = most_used(records.textures.world_textures, walls);
  return f;
}

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
    if (l.ending_enemy != 0) {
      EXPECT_EQ(exits, 0) << "the level ends by a death, not by an exit";
      EXPECT_GE(f.counts.count(l.ending_enemy) ? f.counts.at(l.ending_enemy) : 0, 1);
    } else {
      EXPECT_GE(exits, 1);
    }
  }
}

TEST_F(CampaignFiles, TheBossLevelsHoldTheEnemiesThatEndThem) {
  std::map<int, std::pair<int, int>> ending = {{4, {209, 1}}, {6, {212, 1}}, {9, {212, 2}}, {15, {213, 1}}};
  for (const campaign_level& l : campaign_levels()) {
    SCOPED_TRACE(l.file);
    EXPECT_EQ(l.ending_enemy, ending.count(l.number) ? ending.at(l.number).first : 0);
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
      if (!is_enemy(type) || (l.ending_enemy != 0 && is_boss(type))) continue;
      enemies += n;
      kinds.insert(type);
    }
    // A boss level may hold fewer besides its boss.
    EXPECT_GE(enemies, l.ending_enemy != 0 ? 6 : 12);
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
      if (is_enemy(type)) health += entity_health_at_load(type) * count;
    // The last boss hatches brutes while it fights.
    if (n(213)) health += 10 * entity_health_at_load(201);
    EXPECT_GE(damage, 2 * health);
    if (l.number >= 1 && l.number <= 15) {
      EXPECT_GE(n(410), 1) << "some morphine";
    }
  }
}

TEST_F(CampaignFiles, SeventeenLevelsSevenMiceAtMostOnePerLevel) {
  ASSERT_EQ(campaign_levels().size(), 17u) << "levels 0 to 15 and the secret level";
  int mice = 0;
  for (const campaign_level& l : campaign_levels()) {
    EXPECT_EQ(l.number, &l - &campaign_levels()[0]) << "table order";
    int here = facts()[l.number].counts.count(420) ? facts()[l.number].counts.at(420) : 0;
    EXPECT_LE(here, 1) << l.file;
    if (l.number <= 15) mice += here;
    if (l.number == 16) {
      EXPECT_EQ(here, 0) << "the secret level is the reward, not a hiding place";
    }
  }
  EXPECT_EQ(mice, 7) << "all seven open the secret level";
}

// A look is what a level mostly wears underfoot and on its walls.
TEST_F(CampaignFiles, EightLooksAtLeastAndTheSkyOverTheOutdoorLevels) {
  std::set<std::string> looks, all;
  for (const campaign_level& l : campaign_levels()) {
    looks.insert(facts()[l.number].main_floor + " " + facts()[l.number].main_wall);
    all.insert(facts()[l.number].textures.begin(), facts()[l.number].textures.end());
  }
  EXPECT_GE(looks.size(), 8u);
  EXPECT_GE(all.size(), 24u);
  EXPECT_TRUE(facts()[1].textures.count("sky.webp")) << "Outside lies under the sky";
  EXPECT_TRUE(facts()[10].textures.count("sky.webp")) << "the temple shows the second sky";
  EXPECT_FALSE(facts()[0].textures.count("sky.webp")) << "Facility is indoors";
}

TEST_F(CampaignFiles, TheLateLevelsFieldTougherEnemies) {
  // Health of the enemies, bosses of the boss levels aside, summed and counted
  // over levels 1 to 5 and over levels 10 to 15.
  double health[2] = {0, 0};
  int count[2] = {0, 0};
  for (const campaign_level& l : campaign_levels()) {
    int part = l.number >= 1 && l.number <= 5 ? 0 : (l.number >= 10 && l.number <= 15 ? 1 : -1);
    if (part < 0) continue;
    for (auto [type, n] : facts()[l.number].counts) {
      if (!is_enemy(type) || (l.ending_enemy != 0 && is_boss(type))) continue;
      health[part] += static_cast<double>(entity_health_at_load(type)) * n;
      count[part] += n;
    }
  }
  ASSERT_GT(count[0], 0);
  ASSERT_GT(count[1], 0);
  EXPECT_GT(health[1] / count[1], health[0] / count[0] * 1.3);
}

}  // namespace
