// Releasing a level and setting up the screen that follows it.
#include "app/level_unload.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "base/entity.h"
#include "base/flags.h"
#include "base/texture_table.h"
#include "entities/entity_list_free.h"
#include "game/entity_sources.h"
#include "game/menu_state.h"
#include "player/player.h"
#include "render/screen_square.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"

namespace {

// The level-complete screen; the counters become the next level's start.
void set_up_level_complete(player& p, menu_state& menu) {
  p.kills_at_level_start = p.kills;
  p.score_at_level_start = p.score;
  p.mice_at_level_start = p.mice;
  menu.active = 1;
  menu.menu_music_started = 1;
  menu.prompt_on = p.level_number == 15 ? 0 : 1;
  menu.story_screen = 0;
  menu.death_screen = 0;
  menu.level_complete_screen = 1;
  menu.splash_timer = 3.0;
  menu.blink_timer = 0.0;
  menu.start_level_request = 0;
  menu.key_ready = 0;
  level_done_flag = 0;
}

// The death screen; the counters go back to the level's start.
void set_up_death(player& p, menu_state& menu) {
  p.kills = p.kills_at_level_start;
  p.score = p.score_at_level_start;
  p.mice = p.mice_at_level_start;
  menu.active = 1;
  menu.menu_music_started = 1;
  menu.prompt_on = 1;
  menu.story_screen = 0;
  menu.death_screen = 1;
  menu.start_level_request = 0;
  menu.key_ready = 1;
  menu.blink_timer = 0.0;
  menu.splash_timer = 0.0;
}

}  // namespace

void unload_level(player& p, bsp_node*& bsp_root, texture_table& textures, entity*& entity_list,
                  ai_node*& ai_node_list, menu_state& menu) {
  glBindTexture(GL_TEXTURE_2D, 0);
  printf("pass1\n");
  if (textures.world_textures) world_textures_free(textures.world_textures);
  printf("pass2\n");
  if (entity_list) {
    delete_entity_sources(entity_list);
    entity_list_free(entity_list);
  }
  printf("pass3\n");
  if (ai_node_list) ai_nodes_free(ai_node_list);
  printf("pass4\n");
  bsp_free(bsp_root);
  printf("pass5\n");
  glFinish();

  entity_list = entity_list_new_head();
  textures.world_textures = nullptr;
  bsp_root = nullptr;
  ai_node_list = nullptr;

  menu = menu_state{};
  if (level_done_flag)
    set_up_level_complete(p, menu);
  else
    set_up_death(p, menu);

  set_screen_projection();
}
