// The campaign between levels: New Game, the story, level complete, death,
// the ending by mice, the secret level and Continue, driven through
// menu_frame with the real level load and unload in between and the save
// file in a scratch folder.
#include "game/campaign.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/level_load.h"
#include "app/level_unload.h"
#include "base/entity.h"
#include "base/flags.h"
#include "entities/entity_list_free.h"
#include "game/entity_sources.h"
#include "game/menu_keys.h"
#include "platform/keyboard.h"
#include "tests/game/menu_rig.h"
#include "tests/support/capture_stdout.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"
#include "world/level_lists_free.h"

namespace {

std::string box_room() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/scenario/level/maps/box_room.t3bsp";
}

bool have_generated_sound() {
  const char* data = getenv("TARVO_DATA_DIR");
  return data && access((std::string(data) + "/sound/music3.opus").c_str(), R_OK) == 0;
}

// The menus plus the main loop's side of a level: loading the map the menus
// chose and leaving it by completion or by death.
struct campaign_rig : menu_rig {
  entity* entity_list = entity_list_new_head();
  bsp_node* bsp_root = new bsp_node{};
  ai_node* ai_node_list = nullptr;

  ~campaign_rig() {
    bsp_free(bsp_root);
    world_textures_free(textures.world_textures);
    delete_entity_sources(entity_list);
    entity_list_free(entity_list);
    ai_nodes_free(ai_node_list);
  }

  // Loads `path` as the main loop does when the menus ask for a level.
  void enter(const std::string& path) {
    ASSERT_TRUE(load_level(path.c_str(), entity_list, textures, bsp_root, ai_node_list, the_player, config))
        << path;
    menu.active = 0;
    menu.start_level_request = 0;
  }

  // Ends the level: completed (the exit reached) or by death.
  void leave(bool completed) {
    level_done_flag = completed ? 1 : 0;
    unload_level(the_player, bsp_root, textures, entity_list, ai_node_list, menu);
  }

  // Plays level `level` on the test room with the given counters at its
  // start and ends it, so the screen that follows is set up by the real
  // unload.
  void finish_level(int32_t level, int32_t score, int32_t kills, int32_t mice, bool completed) {
    the_player.level_number = level;
    the_player.score = score;
    the_player.kills = kills;
    the_player.mice = mice;
    enter(box_room());
    leave(completed);
  }
};

// "New Game", the story, level 0; the level completed with a mouse, Space
// after the key pause starts level 1; dying there brings the counters back
// to its start and Space at once plays level 1 again.
TEST(Campaign, NewGameThroughCompletionAndDeath) {
  scratch_folder folder(true);
  campaign_rig rig;
  rig.past_splash();
  rig.press(vk_space);
  EXPECT_EQ(rig.menu.cursor, 0);
  EXPECT_EQ(rig.menu.story_screen, 1);
  EXPECT_EQ(rig.the_player.level_number, 0);
  EXPECT_EQ(folder.read("data/save.sav"), "(none)");

  rig.press(vk_space);
  ASSERT_EQ(rig.menu.start_level_request, 1);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/facility.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "0 0 0 0");
  if (have_generated_sound()) {
    EXPECT_NE(rig.music_buffer, 0u);
  }

  rig.enter(box_room());
  rig.the_player.score += 250;
  rig.the_player.kills += 5;
  rig.the_player.mice += 1;
  rig.leave(true);
  ASSERT_EQ(rig.menu.level_complete_screen, 1);
  EXPECT_EQ(rig.the_player.score_at_level_start, 250);

  // Space held from the first pass is taken once the key pause has passed.
  hold_key(vk_space);
  rig.ticks(13);
  EXPECT_EQ(rig.menu.start_level_request, 0);
  rig.ticks(1);
  release_keys();
  ASSERT_EQ(rig.menu.start_level_request, 1);
  EXPECT_EQ(rig.the_player.level_number, 1);
  EXPECT_EQ(rig.menu.level_complete_screen, 0);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/outside.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "1 250 5 1");

  rig.enter(box_room());
  rig.the_player.score += 900;
  rig.the_player.kills += 7;
  rig.the_player.mice += 1;
  rig.leave(false);
  ASSERT_EQ(rig.menu.death_screen, 1);
  EXPECT_EQ(rig.the_player.score, 250);
  EXPECT_EQ(rig.the_player.kills, 5);
  EXPECT_EQ(rig.the_player.mice, 1);

  hold_key(vk_space);
  rig.tick();
  release_keys();
  ASSERT_EQ(rig.menu.start_level_request, 1);
  EXPECT_EQ(rig.the_player.level_number, 1);
  EXPECT_EQ(rig.menu.death_screen, 0);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/outside.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "1 250 5 1");
}

// Completing level 9 and going on to level 10 loads its music and puts the
// second sky image in the sky slot for good.
TEST(Campaign, LevelTenBringsTheSecondSky) {
  scratch_folder folder;
  campaign_rig rig;
  rig.textures.slots[tex_sky] = 1111;
  rig.textures.slots[tex_sky2] = 2222;
  rig.finish_level(8, 0, 0, 0, true);
  rig.press(vk_space);
  EXPECT_EQ(rig.textures.slots[tex_sky], 1111u);  // level 9 keeps the first sky
  rig.finish_level(9, 10, 1, 0, true);
  capture_stdout_begin();
  rig.press(vk_space);
  std::string log = capture_stdout_end();
  EXPECT_EQ(rig.the_player.level_number, 10);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/temple.t3bsp");
  EXPECT_NE(log.find("opening file data/sound/music5.opus..."), std::string::npos) << log;
  EXPECT_EQ(rig.textures.slots[tex_sky], 2222u);
}

// The ending after level 15: with six mice Space ends the program and the
// save still holds the start of level 15, so "Continue" cannot open the
// secret level either; with seven mice Space loads the secret level, whose
// own screens then ignore Space.
TEST(Campaign, EndingOpensTheSecretLevelOnlyWithSevenMice) {
  scratch_folder folder;
  folder.write("data/save.sav", "15 2000 80 6");
  {
    campaign_rig rig;
    rig.finish_level(15, 3000, 90, 6, true);
    EXPECT_EQ(rig.menu.prompt_on, 0);
    EXPECT_EQ(rig.press(vk_space), menu_quit);
    EXPECT_EQ(rig.the_player.level_number, 16);
    EXPECT_EQ(folder.read("data/save.sav"), "15 2000 80 6");
  }
  campaign_rig rig;
  rig.finish_level(15, 3000, 90, 7, true);
  EXPECT_EQ(rig.press(vk_space), menu_go_on);
  ASSERT_EQ(rig.menu.start_level_request, 1);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/mouse.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "16 3000 90 7");

  rig.finish_level(16, 3500, 95, 7, true);
  hold_key(vk_space);
  rig.ticks(40);
  release_keys();
  EXPECT_EQ(rig.menu.start_level_request, 0);
  EXPECT_EQ(rig.menu.level_complete_screen, 1);
  rig.finish_level(16, 3500, 95, 7, false);
  hold_key(vk_space);
  rig.ticks(40);
  release_keys();
  EXPECT_EQ(rig.menu.start_level_request, 0);
  EXPECT_EQ(rig.menu.death_screen, 1);
}

// Takes "Continue" on the title menu.
void press_continue(menu_rig& rig) {
  rig.past_splash();
  rig.press(vk_down);
  rig.press(vk_space);
}

// "Continue" with a save of the secret level always brings seven mice, and
// the save is written back as the level starts.
TEST(Campaign, ContinueStartsTheSavedLevel) {
  scratch_folder folder;
  folder.write("data/save.sav", "16 500 40 2");
  campaign_rig rig;
  press_continue(rig);
  ASSERT_EQ(rig.menu.start_level_request, 1);
  EXPECT_EQ(rig.menu.cursor, 0);
  EXPECT_EQ(rig.the_player.level_number, 16);
  EXPECT_EQ(rig.the_player.score, 500);
  EXPECT_EQ(rig.the_player.kills, 40);
  EXPECT_EQ(rig.the_player.mice, 7);
  EXPECT_STREQ(rig.menu.map_path, "data/maps/mouse.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "16 500 40 7");

  // The load takes the read counters as the level's start.
  rig.enter(box_room());
  EXPECT_EQ(rig.the_player.score_at_level_start, 500);
  EXPECT_EQ(rig.the_player.mice_at_level_start, 7);

  // A cut-short save keeps what it holds; the rest stays as it was (0 on a
  // fresh title menu).
  folder.write("data/save.sav", "5 1200");
  campaign_rig again;
  press_continue(again);
  ASSERT_EQ(again.menu.start_level_request, 1);
  EXPECT_STREQ(again.menu.map_path, "data/maps/chemical_plant.t3bsp");
  EXPECT_EQ(folder.read("data/save.sav"), "5 1200 0 0");
}

// Without a save, or with one that names no level of the campaign,
// "Continue" does nothing: the title menu stays, with a line in the log.
TEST(Campaign, ContinueWithoutAUsableSaveStaysOnTheMenu) {
  const char* saves[] = {nullptr, "garbage", "17 10 10 10"};
  for (const char* save : saves) {
    scratch_folder folder;
    if (save) folder.write("data/save.sav", save);
    campaign_rig rig;
    capture_stdout_begin();
    press_continue(rig);
    std::string log = capture_stdout_end();
    const char* name = save ? save : "(no file)";
    EXPECT_EQ(rig.menu.start_level_request, 0) << name;
    EXPECT_EQ(rig.menu.page, page_main) << name;
    EXPECT_EQ(rig.menu.cursor, main_continue) << name;
    EXPECT_EQ(rig.the_player.level_number, 0) << name;
    EXPECT_NE(log.find("save file"), std::string::npos) << name << ": " << log;
    EXPECT_EQ(folder.read("data/save.sav"), save ? save : "(none)") << name;
  }
}

// A level whose map cannot be loaded brings the title menu back, and a new
// game can be started from it; so does a level number outside the table.
TEST(Campaign, LevelThatCannotLoadReturnsToTheTitle) {
  scratch_folder folder;
  campaign_rig rig;
  rig.finish_level(0, 100, 2, 0, true);
  rig.press(vk_space);
  ASSERT_EQ(rig.menu.start_level_request, 1);
  rig.menu.active = 0;
  ASSERT_FALSE(load_level(rig.menu.map_path, rig.entity_list, rig.textures, rig.bsp_root, rig.ai_node_list,
                          rig.the_player, rig.config));
  rig.menu.active = 1;
  campaign_level_not_started(rig.menu);
  EXPECT_EQ(rig.menu.level_complete_screen, 0);
  EXPECT_EQ(rig.menu.start_level_request, 0);
  rig.press(vk_down);
  EXPECT_EQ(rig.menu.cursor, main_continue);
  rig.press(vk_up);
  rig.press(vk_space);
  EXPECT_EQ(rig.menu.story_screen, 1);
  EXPECT_EQ(rig.the_player.level_number, 0);
  EXPECT_EQ(rig.the_player.score, 0);

  // A level number outside the table (only a damaged record could hold one)
  // starts nothing, saves nothing and shows the title menu as well.
  std::string saved = folder.read("data/save.sav");
  rig.the_player.level_number = 23;
  rig.menu.start_level_request = 1;
  rig.tick();
  EXPECT_EQ(rig.menu.start_level_request, 0);
  EXPECT_EQ(rig.menu.cursor, main_new_game);
  EXPECT_EQ(folder.read("data/save.sav"), saved);
}

}  // namespace
