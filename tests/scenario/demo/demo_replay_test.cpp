// Demos recorded and replayed through the main loop's own game pass on the
// compiled demo arena, where the player and the enemies fight.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/demo_file.h"
#include "app/demo_state.h"
#include "base/entity.h"
#include "base/flags.h"
#include "tests/scenario/demo/demo_rig.h"
#include "tests/support/capture_stdout.h"

namespace {

// One tick of scripted live input.
using input_script = std::function<void(int tick, std::set<int>& keys, mouse_state& mouse)>;

// Mouse counts for about one degree of turn at the shipped m_speed of 0.06.
constexpr int one_degree = 17;

// What the player does at each tick of the fight: walks up, fires at the
// enemy ahead, reloads and turns left towards the next one, takes the
// shotgun and turns right past the middle to the third while strafing and
// firing with the mouse,
// then opens the console, types into it and closes it again.
void fight_input(int tick, std::set<int>& keys, mouse_state& mouse) {
  if (tick < 20) keys.insert(vk_w);
  if (tick >= 20 && tick < 260) keys.insert(vk_ctrl);
  if (tick >= 120 && tick < 200) mouse.x_motion = -one_degree;
  if (tick >= 165 && tick < 168) keys.insert('R');
  if (tick >= 240 && tick < 243) keys.insert('2');  // the shotgun, whose pellets scatter at random
  if (tick >= 260 && tick < 380) mouse.x_motion = one_degree;
  if (tick >= 300 && tick < 330) keys.insert(vk_d);
  if (tick >= 260 && tick < 420) {
    mouse.left = 1;
    mouse.left_previous = tick > 260 ? 1 : 0;
  } else if (tick == 420) {
    mouse.left_previous = 1;
  }
  if (tick >= 430 && tick < 432) keys.insert(vk_grave);
  if (tick >= 440 && tick < 442) keys.insert('A');
  if (tick >= 450 && tick < 452) keys.insert(vk_grave);
}

// Walks backwards onto the exit portal behind the start.
void retreat_input(int, std::set<int>& keys, mouse_state&) { keys.insert('S'); }

// What a recording left behind.
struct recording {
  std::string end_line;  // the end line computed from the state after the last tick
  int ticks = 0;
  int kills = 0;
  int health = 0;
  std::string log;
  bool level_left = false;
};

// Records `script` on the arena for up to `ticks` passes (fewer when the
// level ends), then leaves the game as Escape would.
recording record(const std::string& map, const std::string& demo_path, const input_script& script,
                 int ticks) {
  recording out;
  game_options options{};
  options.map_path = map.c_str();
  options.record_path = demo_path.c_str();
  demo_rig rig;
  if (!rig.start(options)) return out;
  for (int tick = 0; tick < ticks && !rig.gs->menu.active; ++tick) {
    std::set<int> keys;
    mouse_state mouse{};
    script(tick, keys, mouse);
    rig.pass(keys, mouse);
    out.ticks = tick + 1;
    if (rig.gs->menu.active) break;
    char line[160];
    demo_end_line(line, sizeof line, out.ticks, rig.gs->the_player);
    out.end_line = line;
    out.kills = rig.gs->the_player.kills;
    out.health = rig.gs->the_player.health;
  }
  out.level_left = rig.gs->menu.active != 0;
  rig.finish();
  out.log = rig.log;
  return out;
}

// What a replay came to.
struct replay {
  int passes = 0;
  int32_t first_divergence = 0;
  bool finished = false;
  std::string log;
};

// Replays `demo_path` until the session ends it; `before_pass`, when
// given, may change the game before a pass (a behaviour that changed).
replay play(const std::string& demo_path,
            const std::function<void(int pass, game_state&)>& before_pass = nullptr) {
  replay out;
  game_options options{};
  options.demo_path = demo_path.c_str();
  demo_rig rig;
  if (!rig.start(options)) return out;
  while (quit_flag == 0 && out.passes < 100000) {
    if (before_pass) before_pass(out.passes + 1, *rig.gs);
    rig.pass();
    ++out.passes;
  }
  out.first_divergence = rig.session.first_divergence;
  out.finished = rig.session.replay_finished;
  rig.finish();
  out.log = rig.log;
  return out;
}

std::string end_line_in(const std::string& log) {
  size_t at = log.find("demo end: ");
  if (at == std::string::npos) return "";
  return log.substr(at, log.find('\n', at) - at);
}

TEST(DemoReplay, AFightReplaysTickForTickAndAChangedBehaviourNamesTheFirstTickThatDiffers) {
  temp_folder folder;
  std::string map = folder.file("arena.t3bsp");
  std::string demo_path = folder.file("fight.dem");
  ASSERT_TRUE(compile_grid_to(arena_source(), map));

  recording rec = record(map, demo_path, fight_input, 480);
  ASSERT_EQ(rec.ticks, 480);
  EXPECT_NE(rec.log.find("record: wrote 480 ticks to \"" + demo_path + "\""), std::string::npos) << rec.log;
  // A real fight: the player killed an enemy and the enemies hurt the player.
  EXPECT_GE(rec.kills, 1);
  EXPECT_LT(rec.health, 100);
  EXPECT_GT(rec.health, 0);

  demo written;
  ASSERT_TRUE(demo_read_file(demo_path.c_str(), written));
  EXPECT_EQ(written.map_path, "arena.t3bsp");  // named beside the demo
  EXPECT_EQ(written.ticks.size(), 480u);
  EXPECT_EQ(written.end_line, rec.end_line);

  // Draws of the C library's generator made before the level (the menus,
  // another level) do not shift the replay's.
  for (int i = 0; i < 7; ++i) rand();
  replay same = play(demo_path);
  EXPECT_TRUE(same.finished);
  EXPECT_EQ(same.passes, 480);
  EXPECT_EQ(same.first_divergence, 0) << same.log;
  EXPECT_EQ(end_line_in(same.log), rec.end_line);
  EXPECT_EQ(same.log.find("differs"), std::string::npos);

  // An enemy that takes one point of damage more at tick 123 than it did
  // when recorded: the replay names that tick, carries on to the end and
  // says again where it parted.
  replay changed = play(demo_path, [](int pass, game_state& gs) {
    if (pass != 123) return;
    for (entity* e = gs.entity_list; e; e = e->next)
      if (e->type >= 200 && e->type < 300 && e->health > 1) {
        e->health -= 1;
        break;
      }
  });
  EXPECT_TRUE(changed.finished);
  EXPECT_EQ(changed.first_divergence, 123);
  std::string missing;
  EXPECT_TRUE(lines_in_order(changed.log,
                             {"demo: tick 123 differs from the recording (state ", "demo end: tick 480 ",
                              "demo: the replay parted from the recording at tick 123\n"},
                             &missing))
      << missing << "\n"
      << changed.log;
  EXPECT_EQ(count_occurrences(changed.log, "differs from the recording"), 1);

  // TARVO_KEEP_DEMO=FOLDER keeps the recording (how tests/scenario/demo/arena.dem was made).
  if (const char* keep = getenv("TARVO_KEEP_DEMO")) {
    EXPECT_EQ(system(("cp '" + demo_path + "' '" + keep + "/arena.dem'").c_str()), 0);
  }
}

TEST(DemoReplay, TheRecordingIsWrittenWhenTheLevelEndsAndItsReplayEndsOnTheSameTick) {
  temp_folder folder;
  std::string map = folder.file("arena.t3bsp");
  std::string demo_path = folder.file("retreat.dem");
  ASSERT_TRUE(compile_grid_to(arena_source(), map));

  recording rec = record(map, demo_path, retreat_input, 2000);
  ASSERT_TRUE(rec.level_left) << "the player never reached the exit";
  ASSERT_GT(rec.ticks, 1);
  // Written in the tick that reached the exit, before the level is left.
  std::string written_line =
      "record: wrote " + std::to_string(rec.ticks) + " ticks to \"" + demo_path + "\"\n";
  std::string missing;
  EXPECT_TRUE(lines_in_order(rec.log, {written_line, "getting a vibe!\n", "pass5\n"}, &missing)) << missing;
  EXPECT_EQ(count_occurrences(rec.log, "record: wrote"), 1);

  demo written;
  ASSERT_TRUE(demo_read_file(demo_path.c_str(), written));
  EXPECT_EQ(written.ticks.size(), static_cast<size_t>(rec.ticks));

  replay again = play(demo_path);
  EXPECT_TRUE(again.finished);
  EXPECT_EQ(again.passes, rec.ticks);
  EXPECT_EQ(again.first_divergence, 0) << again.log;
  EXPECT_EQ(end_line_in(again.log), written.end_line);
  EXPECT_NE(again.log.find("getting a vibe!\n"), std::string::npos);
  EXPECT_EQ(again.log.find("the recording went on"), std::string::npos);
}

TEST(DemoReplay, RunsCutShortAndRecordingsThatCannotBeWrittenAreReported) {
  temp_folder folder;
  std::string map = folder.file("arena.t3bsp");
  std::string demo_path = folder.file("short.dem");
  ASSERT_TRUE(compile_grid_to(arena_source(), map));
  recording rec = record(map, demo_path, fight_input, 60);

  // Escape after 25 of the 60 ticks: no end line, where it stopped instead.
  game_options options{};
  options.demo_path = demo_path.c_str();
  demo_rig rig;
  ASSERT_TRUE(rig.start(options));
  for (int i = 0; i < 25; ++i) rig.pass();
  rig.finish();
  EXPECT_NE(rig.log.find("demo stopped at tick 25 of 60\n"), std::string::npos) << rig.log;
  EXPECT_EQ(rig.log.find("demo end: "), std::string::npos);

  // A recording left before its first tick writes nothing.
  std::string empty_path = folder.file("empty.dem");
  game_options record_options{};
  record_options.map_path = map.c_str();
  record_options.record_path = empty_path.c_str();
  demo_rig idle;
  ASSERT_TRUE(idle.start(record_options));
  idle.finish();
  EXPECT_NE(idle.log.find("record: no tick was played; \"" + empty_path + "\" not written"),
            std::string::npos);
  FILE* none = fopen(empty_path.c_str(), "r");
  EXPECT_EQ(none, nullptr);
  if (none) fclose(none);

  // A recording whose folder went away meanwhile says so and is a failure;
  // one made under a vid_fps of 0 names the rate the game played at.
  temp_folder doomed;
  std::string lost_path = doomed.file("lost.dem");
  record_options.record_path = lost_path.c_str();
  demo_rig lost;
  ASSERT_TRUE(lost.start(record_options, 0));
  for (int i = 0; i < 5; ++i) lost.pass();
  EXPECT_DOUBLE_EQ(lost.gs->video.tick_step, 1.0 / 60.0);
  ASSERT_EQ(system(("rm -rf '" + doomed.path + "'").c_str()), 0);
  capture_stdout_begin();
  EXPECT_FALSE(demo_session_close(lost.session, *lost.gs));
  std::string lost_log = capture_stdout_end();
  EXPECT_NE(lost_log.find("record: cannot write \"" + lost_path + ".tmp\""), std::string::npos) << lost_log;
  ASSERT_EQ(system(("mkdir -p '" + doomed.path + "'").c_str()), 0);
  EXPECT_TRUE(lost.session.recorded.ticks.size() == 5u);
  EXPECT_EQ(config_find(lost.session.recorded.config, "vid_fps")->value.as_int, 60);
}

}  // namespace
