// Every level of the campaign can be played through: with its enemies set
// aside, a player driven by keys and mouse through the real game tick walks
// the navigation graph from the start to the exit (and the exit ends the
// level) or, on the levels that end by a death, to the boss. Each mouse lies
// off the way: no point of that walk sees it; no point of it is watched by
// more than four enemies at once, nor by any enemy farther than 40 units;
// the start looks along the way; and a player standing still at the start
// for ten seconds is not hurt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/entity.h"
#include "base/flags.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/enemy_sight.h"
#include "entities/entity_list.h"
#include "entities/entity_update.h"
#include "player/player_update.h"
#include "tests/scenario/level/level_fixture.h"
#include "tests/scenario/levels/campaign_table.h"
#include "tests/scenario/levels/level_walk.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "world/bsp_query.h"

namespace {

// Four minutes of play at most for any level.
constexpr int max_ticks = 60 * 240;

// The loaded level with its enemies taken out (the places of those whose
// death ends it kept).
struct quiet_level {
  level_records records;
  bool loaded = false;
  walk_point start{0, 0, 0};
  std::vector<walk_point> exits, bosses, mice;
  std::vector<walk_point> fighters;  // enemies other than workers, where they stood
};

void load_quiet(const campaign_level& l, quiet_level& q) {
  capture_stdout_begin();
  q.loaded = q.records.load(campaign_map_path(l));
  capture_stdout_end();
  if (!q.loaded) return;
  bool have_start = false;
  for (entity* e = q.records.entity_list->next; e;) {
    entity* next = e->next;
    walk_point at{e->pos[0], e->pos[1], e->pos[2]};
    if (e->type == 1 && !have_start) {
      q.start = at;
      have_start = true;
    }
    if (e->type == 2) q.exits.push_back(at);
    if (e->type == 420) q.mice.push_back(at);
    if (l.ending_enemy != 0 && e->type == l.ending_enemy) q.bosses.push_back(at);
    if (e->type > 200 && e->type < 300) q.fighters.push_back(at);
    if (e->type >= 200 && e->type < 300) {
      entity_unlink(e);
      entity_free(e);
    }
    e = next;
  }
}

std::string route_text(const std::vector<int>& route) {
  std::string s;
  for (int id : route) s += std::to_string(id) + " ";
  return s;
}

// The quiet level's way over the navigation graph from its start to its
// exit or its boss (empty, with a failure, when there is none).
std::vector<int> way_to_the_end(const campaign_level& l, quiet_level& q, walk_point& goal) {
  load_quiet(l, q);
  EXPECT_TRUE(q.loaded) << campaign_map_path(l);
  bool by_death = l.ending_enemy != 0;
  if (!q.loaded || (by_death ? q.bosses.empty() : q.exits.empty())) {
    ADD_FAILURE() << "no start or no end";
    return {};
  }
  goal = by_death ? q.bosses[0] : q.exits[0];
  const ai_node* nodes = q.records.ai_node_list;
  int from = nav_node_near(nodes, q.records.bsp_root, q.start);
  int to = nav_node_near(nodes, q.records.bsp_root, goal);
  EXPECT_GE(from, 0);
  EXPECT_GE(to, 0);
  std::vector<int> route = from < 0 || to < 0 ? std::vector<int>{} : nav_route(nodes, from, to);
  if (route.empty())
    ADD_FAILURE() << "no way over the navigation graph from node " << from << " to node " << to;
  return route;
}

// Walks the quiet level from its start to its exit (the level must end
// there) or to its boss; the route over the navigation graph it took.
std::vector<int> walk_to_the_end(const campaign_level& l, quiet_level& q) {
  walk_point goal{0, 0, 0};
  std::vector<int> route = way_to_the_end(l, q, goal);
  if (route.empty()) return route;
  bool by_death = l.ending_enemy != 0;

  player& p = q.records.the_player;
  p.pos[0] = q.start.x;
  p.pos[1] = q.start.y;
  p.pos[2] = q.start.z;
  reset_program_flags();
  capture_stdout_begin();
  walk_outcome out = walk_route(p, q.records.entity_list, q.records.bsp_root, q.records.ai_node_list, route,
                                goal, 3.0, by_death, max_ticks);
  capture_stdout_end();
  EXPECT_FALSE(out.died) << out.log;
  if (by_death) {
    EXPECT_TRUE(out.reached_goal) << out.log << "route " << route_text(route);
  } else {
    EXPECT_TRUE(out.level_done) << out.log << "route " << route_text(route);
    double d =
        std::sqrt((out.end.x - goal.x) * (out.end.x - goal.x) + (out.end.y - goal.y) * (out.end.y - goal.y) +
                  (out.end.z - goal.z) * (out.end.z - goal.z));
    EXPECT_LT(d, 3.0) << "the level ended at the exit";
  }
  reset_program_flags();
  return route;
}

class CampaignWalk : public testing::TestWithParam<int> {
 protected:
  void SetUp() override { ASSERT_TRUE(test_gl_context()); }
};

TEST_P(CampaignWalk, FromTheStartToTheEnd) {
  const campaign_level& l = campaign_levels().at(GetParam());
  SCOPED_TRACE(l.file);
  quiet_level q;
  std::vector<int> route = walk_to_the_end(l, q);
  ASSERT_FALSE(route.empty());
  const ai_node* nodes = q.records.ai_node_list;

  // Enemies wake when they see the player: the way is laid out so that they
  // come a few at a time.
  for (int id : route) {
    walk_point n = nav_node_pos(nodes, id);
    int watching = 0;
    std::string who;
    for (const walk_point& f : q.fighters) {
      double dx = f.x - n.x, dy = f.y - n.y, dz = f.z - n.z;
      const double eye[3] = {n.x, n.y + 2.25, n.z}, theirs[3] = {f.x, f.y + 1.5, f.z};
      if (dx * dx + dy * dy + dz * dz > 30.0 * 30.0 ||
          bsp_segment_clear(eye, theirs, q.records.bsp_root) != 1)
        continue;
      ++watching;
      who += " (" + std::to_string(f.x) + ", " + std::to_string(f.z) + ")";
    }
    EXPECT_LE(watching, 4) << "node " << id << " at (" << n.x << ", " << n.y << ", " << n.z
                           << ") watched from" << who;
  }

  // Every shot comes from an enemy near enough to be seen on the screen:
  // no enemy farther than 40 units sees any point of the way.
  struct far_sight {
    int points = 0;
    double nearest = 1e30;
    walk_point at{0, 0, 0};
  };
  std::map<std::pair<double, double>, far_sight> far_watchers;  // by where they stand
  for (size_t i = 0; i + 1 < route.size(); ++i) {
    walk_point a = nav_node_pos(nodes, route[i]), b = nav_node_pos(nodes, route[i + 1]);
    for (double t = 0; t < 1.0; t += 0.25)
      for (const walk_point& f : q.fighters) {
        walk_point n{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
        const double eye[3] = {n.x, n.y + 2.25, n.z}, theirs[3] = {f.x, f.y + 1.5, f.z};
        double d = std::hypot(f.x - n.x, f.y - n.y, f.z - n.z);
        if (d <= 40.0 || bsp_segment_clear(eye, theirs, q.records.bsp_root) != 1) continue;
        far_sight& w = far_watchers[{f.x, f.z}];
        ++w.points;
        if (d < w.nearest) w = {w.points, d, n};
      }
  }
  for (const auto& [at, w] : far_watchers)
    ADD_FAILURE() << "the enemy at (" << at.first << ", " << at.second << ") sees " << w.points
                  << " points of the way from farther than 40 units, the nearest (" << w.at.x << ", "
                  << w.at.z << ")";

  // The mouse is a secret: nowhere on the way does the player's eye see it.
  for (const walk_point& m : q.mice)
    for (int id : route) {
      walk_point n = nav_node_pos(nodes, id);
      const double eye[3] = {n.x, n.y + 2.25, n.z}, mouse[3] = {m.x, m.y + 0.5, m.z};
      EXPECT_EQ(bsp_segment_clear(eye, mouse, q.records.bsp_root), 0)
          << "the mouse at (" << m.x << ", " << m.y << ", " << m.z << ") shows from node " << id;
    }
}

// A player who has only begun to look is not hurt by standing still at the
// start for ten seconds; and the start looks along the way into the level
// (a player's yaw is 0 at the start: along -z), not at a wall close ahead.
TEST_P(CampaignWalk, TheStartIsSafeAndLooksAlongTheWay) {
  const campaign_level& l = campaign_levels().at(GetParam());
  SCOPED_TRACE(l.file);
  quiet_level q;
  walk_point goal{0, 0, 0};
  std::vector<int> route = way_to_the_end(l, q, goal);
  ASSERT_FALSE(route.empty());
  const double eye[3] = {q.start.x, q.start.y + 2.25, q.start.z}, ahead[3] = {eye[0], eye[1], eye[2] - 4.0};
  EXPECT_EQ(bsp_segment_clear(eye, ahead, q.records.bsp_root), 1)
      << "a wall within 4 units of the start view";
  for (int id : route) {
    walk_point n = nav_node_pos(q.records.ai_node_list, id);
    if (std::hypot(n.x - q.start.x, n.z - q.start.z) < 6.0) continue;
    EXPECT_LE(std::fabs(std::atan2(n.x - q.start.x, q.start.z - n.z)), M_PI / 4)
        << "the way leaves the start toward (" << n.x << ", " << n.z << "), out of the start view";
    break;
  }

  level_records r;
  capture_stdout_begin();
  ASSERT_TRUE(r.load(campaign_map_path(l)));
  r.the_player.pos[0] = q.start.x;
  r.the_player.pos[1] = q.start.y;
  r.the_player.pos[2] = q.start.z;
  std::map<int, walk_point> stood;  // each enemy's place, by its id
  for (const entity* e = r.entity_list->next; e; e = e->next)
    if (e->type >= 200 && e->type < 300) stood[e->id] = {e->pos[0], e->pos[1], e->pos[2]};
  reset_program_flags();
  key_state keys{};
  std::string seen_by;  // the enemies in sight when the player was first hurt, by where they stood
  for (int tick = 0; tick < 600; ++tick) {
    int health = r.the_player.health;
    entities_update(r.entity_list, r.the_player, r.bsp_root, r.ai_node_list, r.entity_list, 1.0 / 60.0);
    entities_prune(r.entity_list);
    player_update(r.the_player, keys, r.bsp_root, r.entity_list, 1.0 / 60.0, mouse_state{});
    if (r.the_player.health >= health || health < 100) continue;
    seen_by = " at tick " + std::to_string(tick) + ":";
    for (const entity* e = r.entity_list->next; e; e = e->next)
      if (stood.count(e->id) && e->type >= 200 && e->type < 300 &&
          enemy_sees_player(*e, r.the_player, r.bsp_root))
        seen_by += " " + std::to_string(e->type) + " from (" + std::to_string(stood[e->id].x) + ", " +
                   std::to_string(stood[e->id].z) + ")";
  }
  capture_stdout_end();
  EXPECT_EQ(r.the_player.health, 100) << "standing still at the start for ten seconds; hurt" << seen_by;
}

std::string level_name(const testing::TestParamInfo<int>& info) {
  return campaign_levels().at(info.param).file;
}

// The quarry, drawn in TrenchBroom with angled walls, a gabled roof and two
// ramps: the way to its exit on the gallery runs up the gentler ramp.
TEST(ShowcaseWalk, QuarryUpTheRampToTheExit) {
  ASSERT_TRUE(test_gl_context());
  const campaign_level quarry{-1, "quarry", 0, ""};
  quiet_level q;
  std::vector<int> route = walk_to_the_end(quarry, q);
  ASSERT_FALSE(route.empty());
  bool on_ramp = false;
  for (int id : route) {
    walk_point n = nav_node_pos(q.records.ai_node_list, id);
    on_ramp = on_ramp || (n.y > 0.5 && n.y < 3.5);
  }
  EXPECT_TRUE(on_ramp) << "the route climbs the ramp";
}

INSTANTIATE_TEST_SUITE_P(Levels, CampaignWalk, testing::Range(0, static_cast<int>(campaign_levels().size())),
                         level_name);

}  // namespace
