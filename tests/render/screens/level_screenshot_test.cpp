// Screenshots of the compiled campaign levels from their player starts,
// turned towards the nearest enemy in sight, with the HUD.
#include <GL/gl.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/game_tick.h"
#include "app/level_load.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "render/render_frame.h"
#include "tests/render/screens/screen_scene.h"
#include "world/ai_node.h"
#include "world/bsp_query.h"

namespace {

// The compiled maps under data/maps, by name.
std::vector<std::string> compiled_maps() {
  std::vector<std::string> names;
  const char* data = getenv("TARVO_DATA_DIR");
  if (!data) return names;
  DIR* dir = opendir((std::string(data) + "/maps").c_str());
  if (!dir) return names;
  while (dirent* e = readdir(dir)) {
    std::string n = e->d_name;
    if (n.size() > 6 && n.compare(n.size() - 6, 6, ".t3bsp") == 0) names.push_back(n);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// Turns the player to the nearest enemy the eye can see, else the nearest
// pickup in sight; leaves the yaw alone when there is neither.
void face_something(game_state& gs) {
  player& p = gs.the_player;
  double eye[3] = {p.pos[0], p.pos[1] + 2.25, p.pos[2]};
  const entity* best = nullptr;
  double best_d = 1e30;
  for (int pass = 0; pass < 2 && !best; ++pass) {
    for (const entity* e = gs.entity_list; e; e = e->next) {
      if (!(pass == 0 ? is_enemy(e->type) : is_pickup(e->type))) continue;
      double target[3] = {e->pos[0], e->pos[1] + 1.0, e->pos[2]};
      double dx = target[0] - eye[0], dz = target[2] - eye[2];
      double d = std::sqrt(dx * dx + dz * dz);
      if (d < 2.0 || d >= best_d || !bsp_segment_clear(eye, target, gs.bsp_root)) continue;
      best = e;
      best_d = d;
    }
  }
  if (!best) return;
  // Yaw 0 looks along -z and growing yaw turns left.
  double yaw = std::atan2(-(best->pos[0] - p.pos[0]), -(best->pos[2] - p.pos[2])) * 180.0 / 3.141592653589793;
  p.yaw = yaw < 0 ? yaw + 360.0 : yaw;
  p.pitch = 0.0;
}

// Puts the player on the first navigation node that sees an enemy 5 to 20
// units away, turned so the enemy stands right of the weapon. False when no
// node does.
bool stand_near_an_enemy(game_state& gs) {
  player& p = gs.the_player;
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (!is_enemy(e->type)) continue;
    double target[3] = {e->pos[0], e->pos[1] + 1.5, e->pos[2]};
    for (const ai_node* n = gs.ai_node_list; n; n = n->next) {
      double eye[3] = {n->x, n->y + 2.25, n->z};
      double d = std::hypot(target[0] - eye[0], target[2] - eye[2]);
      if (d < 5.0 || d > 20.0 || !bsp_segment_clear(eye, target, gs.bsp_root)) continue;
      p.pos[0] = n->x;
      p.pos[1] = n->y;
      p.pos[2] = n->z;
      double yaw = std::atan2(-(e->pos[0] - n->x), -(e->pos[2] - n->z)) * 180.0 / 3.141592653589793 + 25.0;
      p.yaw = yaw < 0 ? yaw + 360.0 : yaw;
      p.pitch = 0.0;
      return true;
    }
  }
  return false;
}

// A 1 x 1 fully transparent texture.
uint32_t transparent_texture() {
  GLuint none = 0;
  uint8_t clear_px[4] = {0, 0, 0, 0};
  glGenTextures(1, &none);
  glBindTexture(GL_TEXTURE_2D, none);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, clear_px);
  return none;
}

// The frame again with the slots first..last made invisible.
screenshot frame_without(game_state& gs, int first, int last) {
  texture_table saved = gs.textures;
  GLuint none = transparent_texture();
  for (int slot = first; slot <= last; ++slot) gs.textures.slots[slot] = none;
  render_frame(frame_scene_of(gs));
  screenshot shot = grab_screenshot();
  gs.textures = saved;
  glDeleteTextures(1, &none);
  return shot;
}

std::string shot_path(const std::string& map_name, const char* suffix) {
  const char* build = getenv("TARVO_BUILD_DIR");
  return std::string(build ? build : ".") + "/screenshot_" + map_name.substr(0, map_name.size() - 6) +
         suffix + ".ppm";
}

void place_on_start(game_state& gs) {
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (e->type != 1) continue;
    for (int i = 0; i < 3; ++i) gs.the_player.pos[i] = e->pos[i];
    return;
  }
}

class LevelScreenshot : public testing::Test {
 protected:
  void SetUp() override {
    maps = compiled_maps();
    if (maps.empty()) GTEST_SKIP() << "no compiled maps in data/maps";
    gs = new_screen_game();
    if (!gs) GTEST_SKIP() << "no generated data/ with textures";
  }
  void TearDown() override { delete_screen_game(gs); }
  std::vector<std::string> maps;
  game_state* gs = nullptr;
};

TEST_F(LevelScreenshot, EveryLevelFromItsStartWithTheHud) {
  int levels_with_enemies = 0, levels_with_pickups = 0, levels_with_enemy_view = 0;
  for (const std::string& name : maps) {
    SCOPED_TRACE(name);
    std::string path = "data/maps/" + name;
    ASSERT_TRUE(load_level(path.c_str(), gs->entity_list, gs->textures, gs->bsp_root, gs->ai_node_list,
                           gs->the_player, gs->config));
    int enemies = 0, pickups = 0;
    for (const entity* e = gs->entity_list; e; e = e->next) {
      enemies += is_enemy(e->type);
      pickups += is_pickup(e->type);
    }
    levels_with_enemies += enemies > 0;
    levels_with_pickups += pickups > 0;
    place_on_start(*gs);
    face_something(*gs);
    gs->the_player.score = 4321;
    render_frame(frame_scene_of(*gs));
    render_frame(frame_scene_of(*gs));
    screenshot shot = grab_screenshot();
    ASSERT_TRUE(write_ppm(shot, shot_path(name, "").c_str()));

    // The same view without the HUD's images (fonts, faces, icons, scope,
    // weapons) finds the HUD by difference.
    screenshot bare = frame_without(*gs, 2, 109);
    // A plain wall in dim light still has dozens of shades; a blank view a few.
    EXPECT_GT(distinct_colours(bare), 30) << "the view looks blank";
    EXPECT_GT(changed_share(shot, bare, 0.0, -0.9, 0.1, -0.8), 0.3) << "face";
    EXPECT_GT(changed_share(shot, bare, -0.6, -0.9, -0.4, -0.8), 0.1) << "health number";
    EXPECT_GT(changed_share(shot, bare, 0.4, 0.95, 0.8, 1.0), 0.1) << "score";

    // Close to an enemy: without the enemy sheets the picture loses it.
    if (stand_near_an_enemy(*gs)) {
      ++levels_with_enemy_view;
      render_frame(frame_scene_of(*gs));
      screenshot near = grab_screenshot();
      ASSERT_TRUE(write_ppm(near, shot_path(name, "_enemy").c_str()));
      screenshot no_enemies = frame_without(*gs, 120, 133);
      // The nearest enemy may stand a room away: a few hundred pixels.
      EXPECT_GT(changed_share(near, no_enemies, -1.0, -1.0, 1.0, 1.0), 0.001) << "enemy";
    }
    unload_screen_level(*gs);
  }
  EXPECT_GT(levels_with_enemies, 0);
  EXPECT_GT(levels_with_pickups, 0);
  EXPECT_GT(levels_with_enemy_view, 0);
}

}  // namespace
