// Screenshots of a room built in memory, drawn with the real catalogue:
// the world, enemies in several states, pickups, a hit marker and the HUD.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_state.h"
#include "app/game_tick.h"
#include "base/entity.h"
#include "base/texture_load.h"
#include "entities/entity_list_free.h"
#include "render/render_frame.h"
#include "tests/render/screens/screen_scene.h"
#include "world/bsp_free.h"
#include "world/bsp_node.h"

namespace {

struct corner {
  double x, y, z;
};

// A light map darkening from 0 at one edge to `dark` at the other.
uint32_t gradient_light_map(uint8_t dark) {
  uint8_t px[4 * 4 * 4] = {};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) px[(r * 4 + c) * 4 + 3] = static_cast<uint8_t>(dark * c / 3);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, px);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

// An inner node whose polygon is the quad a-b-c-d facing along `normal`,
// textured at one repeat every 4 units.
bsp_node* quad_node(corner a, corner b, corner c, corner d, corner normal, uint32_t texture) {
  bsp_polygon* poly = new bsp_polygon{};
  poly->verts = new map_vertex[4]();
  corner cs[4] = {a, b, c, d};
  for (int i = 0; i < 4; ++i) {
    // Project onto the two axes across the face.
    double s = std::fabs(normal.x) > 0.5 ? cs[i].z : cs[i].x;
    double t = std::fabs(normal.y) > 0.5 ? cs[i].z : cs[i].y;
    poly->verts[i] = map_vertex{cs[i].x, cs[i].y, cs[i].z, s / 4, t / 4};
  }
  poly->vert_count = 4;
  poly->normal[0] = normal.x;
  poly->normal[1] = normal.y;
  poly->normal[2] = normal.z;
  poly->texture = texture;
  poly->light_texture = gradient_light_map(170);
  poly->light_rows = 4;
  poly->light_cols = 4;
  bsp_node* node = new bsp_node{};
  node->poly = poly;
  return node;
}

// A convex room around the player: every face seen from inside, so a chain
// of nodes along front is a valid tree.
bsp_node* build_room(uint32_t floor, uint32_t wall, uint32_t ceiling) {
  const double x0 = -12, x1 = 12, y0 = 0, y1 = 8, z0 = -40, z1 = 6;
  bsp_node* nodes[6] = {
      quad_node({x0, y0, z1}, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {0, 1, 0}, floor),
      quad_node({x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {0, -1, 0}, ceiling),
      quad_node({x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {0, 0, 1}, wall),
      quad_node({x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1}, {0, 0, -1}, wall),
      quad_node({x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, {x0, y0, z0}, {1, 0, 0}, wall),
      quad_node({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {-1, 0, 0}, wall),
  };
  for (int i = 0; i < 5; ++i) nodes[i]->front = nodes[i + 1];
  nodes[5]->front = new bsp_node{nullptr, nullptr, nullptr, 1, 0};
  return nodes[0];
}

entity* add(game_state& gs, int type, double x, double y, double z, int state = 1, int frame = 1) {
  entity* tail = gs.entity_list;
  while (tail->next) tail = tail->next;
  entity* e = new entity{};
  e->type = type;
  e->state = state;
  e->frame = frame;
  e->pos[0] = x;
  e->pos[1] = y;
  e->pos[2] = z;
  e->facing = std::atan2(-x, -z);  // looking at the player at the origin
  e->prev = tail;
  tail->next = e;
  return e;
}

std::string shot_path(const char* name) {
  const char* build = getenv("TARVO_BUILD_DIR");
  return std::string(build ? build : ".") + "/" + name;
}

class RoomScreenshot : public testing::Test {
 protected:
  void SetUp() override {
    gs = new game_state{};
    if (!open_screen_game(*gs)) GTEST_SKIP() << "no generated data/ with textures";
    set_screen_video(*gs);
    floor = load_texture("data/textures/world/floor_tiles.webp", true);
    wall = load_texture("data/textures/world/metal_wall.webp", true);
    ceiling = load_texture("data/textures/world/ceiling_panel.webp", true);
    gs->bsp_root = build_room(floor, wall, ceiling);
    gs->entity_list = entity_list_new_head();
    player& p = gs->the_player;
    p.health = 85;
    p.score = 1234;
    p.current_gun = 0;
    p.guns[0] = gun{0.2, 0.0001, 0, 25, 175, 25, 4, 11};
    p.pickup_message_flag = 1;
    snprintf(p.pickup_message, sizeof p.pickup_message, "You got the morphine!");
    p.debug_draw_flags = 16;
    p.hit_markers[0] = hit_marker{{-3, 1.5, -6}, 0.1, 1};
  }
  void TearDown() override {
    if (gs->entity_list) entity_list_free(gs->entity_list);
    bsp_free(gs->bsp_root);
    GLuint names[3] = {floor, wall, ceiling};
    glDeleteTextures(3, names);
    delete gs;
  }
  // The frame drawn twice, the second time with the catalogue's HUD images.
  void populate() {
    add(*gs, 201, -4, 0, -18, 2, 2);  // walking
    entity* firing = add(*gs, 205, 5, 0, -25, 10, 10);
    firing->facing += 0.6;
    add(*gs, 203, 0, 0, -36, 8, 1);   // dead
    add(*gs, 202, -8, 0, -28, 7, 3);  // dying
    add(*gs, 410, -2, 1, -8);
    add(*gs, 400, 2, 0.25, -7);
    add(*gs, 100, 8, 1, -12);
    add(*gs, 2, -8, 1.5, -34);
    add(*gs, 300, 1, 2, -12);
  }
  game_state* gs = nullptr;
  uint32_t floor = 0, wall = 0, ceiling = 0;
};

TEST_F(RoomScreenshot, WorldSpritesAndHud) {
  populate();
  // A frame to settle the projection, then the picture.
  render_frame(frame_scene_of(*gs));
  render_frame(frame_scene_of(*gs));
  screenshot with_hud = grab_screenshot();
  ASSERT_TRUE(write_ppm(with_hud, shot_path("screenshot_room.ppm").c_str()));

  // The same frame with every HUD image invisible.
  GLuint none = 0;
  uint8_t clear_px[4] = {0, 0, 0, 0};
  glGenTextures(1, &none);
  glBindTexture(GL_TEXTURE_2D, none);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, clear_px);
  texture_table saved = gs->textures;
  for (int slot = 2; slot <= 6; ++slot) gs->textures.slots[slot] = none;
  for (int slot = 9; slot <= 109; ++slot) gs->textures.slots[slot] = none;
  render_frame(frame_scene_of(*gs));
  screenshot bare = grab_screenshot();
  ASSERT_TRUE(write_ppm(bare, shot_path("screenshot_room_no_hud.ppm").c_str()));
  gs->textures = saved;
  glDeleteTextures(1, &none);

  EXPECT_GT(distinct_colours(bare), 200) << "the scene looks blank";
  EXPECT_GT(changed_share(with_hud, bare, 0.0, -0.9, 0.1, -0.8), 0.3) << "face";
  EXPECT_GT(changed_share(with_hud, bare, -0.8, -0.9, -0.7, -0.8), 0.3) << "health icon";
  EXPECT_GT(changed_share(with_hud, bare, -0.6, -0.9, -0.4, -0.8), 0.1) << "health number";
  EXPECT_GT(changed_share(with_hud, bare, 0.3, -0.9, 0.9, -0.8), 0.1) << "ammunition";
  EXPECT_GT(changed_share(with_hud, bare, 0.4, 0.95, 0.75, 1.0), 0.1) << "score";
  EXPECT_GT(changed_share(with_hud, bare, -1.0, 0.95, 0.0, 1.0), 0.1) << "pickup message";
  EXPECT_GT(changed_share(with_hud, bare, 0.4, 0.6, 0.75, 0.65), 0.1) << "frame rate";
  EXPECT_GT(changed_share(with_hud, bare, -1.0, -1.0, 1.0, -0.3), 0.02) << "weapon";
  // Left of the weapon and between the HUD's rows the two pictures agree.
  EXPECT_LT(changed_share(with_hud, bare, -1.0, -0.7, -0.5, 0.5), 0.01);
}

}  // namespace
