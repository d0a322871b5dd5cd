// One pass of the menus: the splash, the title menu with its pages and the
// screens between levels, drawing included.
#include "game/menu_frame.h"

#include <GL/gl.h>

#include "audio/music.h"
#include "base/texture_table.h"
#include "game/campaign.h"
#include "game/campaign_screens.h"
#include "game/menu_controls.h"
#include "game/menu_keys.h"
#include "game/menu_pages.h"
#include "platform/keyboard.h"
#include "render/draw_2d.h"
#include "render/screen_square.h"

namespace {

// The whole window showing the background upright, keeping the picture's
// shape (what reaches past the window is cut off); the death screen is the
// window in plain red.
void draw_background(const menu_state& menu, const texture_table& textures, int slot,
                     const screen_extent& e) {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  uint32_t texture = slot >= 0 ? textures.slots[slot] : 0;
  if (menu.death_screen) {
    glDisable(GL_TEXTURE_2D);
    glColor3d(1.0, 0.0, 0.0);
  }
  draw_image_cover(texture, -e.half_width, -e.half_height, 2.0 * e.half_width, 2.0 * e.half_height);
  if (menu.death_screen) {
    glEnable(GL_TEXTURE_2D);
    glColor3d(1.0, 1.0, 1.0);
  }
}

}  // namespace

menu_background menu_background_step(menu_state& menu, double dt) {
  if (menu.splash_timer < splash_seconds) {
    menu.splash_timer += dt;
    return menu_background{tex_logo, false};
  }
  menu_background background{-1, false};
  if (menu.story_screen || menu.level_complete_screen) {
    background.slot = tex_title2;
  } else if (!menu.death_screen) {
    if (!menu.menu_music_started) {
      background.start_music = true;
      menu.menu_music_started = 1;
    }
    background.slot = tex_title;
  }
  menu.blink_timer += dt;
  return background;
}

menu_result menu_frame(menu_state& menu, texture_table& textures, sound_table& sounds, key_state& keys,
                       double dt, uint32_t& music_buffer, player& p, config_table& config,
                       key_down_test key_down) {
  menu_pace_keys(menu, dt);
  if (!key_down(vk_escape)) menu.escape_held = 0;
  if (menu.cursor == 0) campaign_space(menu, p, key_down);

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_TEXTURE_2D);
  poll_keyboard(keys, key_down);
  const screen_extent extent = set_screen_projection();
  glPushMatrix();

  menu_background background = menu_background_step(menu, dt);
  if (background.start_music) start_menu_music(sounds);
  draw_background(menu, textures, background.slot, extent);
  glPopMatrix();

  if (menu.blink_timer > prompt_blink_seconds) {
    menu.blink_timer = 0.0;
    menu.prompt_on = !menu.prompt_on;
  }

  // The page shows from the moment the splash has run its full time (a
  // timer landing exactly on it, as whole-second ticks do, counts).
  if (menu.cursor != 0 && menu.splash_timer >= splash_seconds) {
    menu.prompt_on = 0;
    draw_menu_page(menu, textures, config);
    if (menu.page == page_controls)
      controls_keys(menu, config, keys, key_down);
    else if (menu_keys(menu, p, config, key_down) == menu_quit)
      return menu_quit;
  }

  draw_screens(menu, p, textures);
  if (menu.start_level_request) return start_level(menu, p, textures, music_buffer);
  return menu_go_on;
}
