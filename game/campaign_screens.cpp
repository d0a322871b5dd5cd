// The texts of the screens between levels: level complete, the ending, the
// story and the death screen, and the blinking prompt.
#include "game/campaign_screens.h"

#include <GL/gl.h>

#include "base/texture_table.h"
#include "config/skill.h"
#include "game/level_table.h"
#include "player/player.h"
#include "render/draw_2d.h"
#include "render/text.h"

namespace {

constexpr int tex_mouse_picture = 150;

// A line of text at a fixed place.
struct screen_line {
  double y;
  const char* text;
};

// One line per row, as the screens read.
// clang-format off
constexpr screen_line ending_lines[] = {
    {0.6, "Thanks to you,"},
    {0.5, "Kelmarra is safe!"},
    {0.4, "The portal has been"},
    {0.3, "closed, and the "},
    {0.2, "evil within it is "},
    {0.1, "defeated for now."},
    {-0.1, "During your quest,"},
    {-0.2, "you got:"},
};

constexpr screen_line story_lines[] = {
    {0.6, "The year is 20XX."},
    {0.52, "Creatures from the void"},
    {0.44, "have begun an invasion"},
    {0.36, "of KELMARRA. "},
    {0.28, "By teleporting into our"},
    {0.2, "military bases and"},
    {0.12, "turning the sky red"},
    {0.04, "with their HYPNO-RAYS.."},
    {-0.04, "Luckily, you had your"},
    {-0.12, "trusty water filter to"},
    {-0.2, "keep you safe. Now as"},
    {-0.28, "the army of aliens,"},
    {-0.36, "cyborgs, and mind-slaves"},
    {-0.44, "closes in, you grab your"},
    {-0.52, "rifle and take a last"},
    {-0.6, "stand!!!"},
};
// clang-format on

void draw_number_line(const font_pair& font, const char* format, int value, double x, double y) {
  char text[40];
  format_text(text, sizeof text, format, value);
  draw_text(font, text, x, y, 0.1);
}

// One picture per mouse in a row, the first with its lower-left corner at
// (-0.2, bottom), in white.
void draw_mouse_pictures(const texture_table& textures, int mice, double bottom) {
  glColor3d(1.0, 1.0, 1.0);
  int shown = mice < mouse_pictures_on_screen ? mice : mouse_pictures_on_screen;
  for (int k = 0; k < shown; ++k)
    draw_image_kept(textures.slots[tex_mouse_picture], 0.2 * k - 0.2, bottom, 0.2, 0.2, 0.0, 1.0, 0.0, 1.0);
}

void draw_level_complete(const font_pair& font, const player& p, const texture_table& textures) {
  glColor3d(1.0, 0.0, 0.0);
  draw_text(font, "LEVEL COMPLETED", -0.9, 0.8, 0.12);
  const level_entry* level = level_table_find(p.level_number);
  if (level && level->name) draw_text(font, level->name, -0.7, 0.7, 0.1);
  char skill[24];
  format_text(skill, sizeof skill, "Skill: %s", skill_name(p.skill));
  draw_text(font, skill, -0.8, 0.2, 0.1);
  draw_number_line(font, "Score: %d", p.score, -0.8, 0.1);
  draw_number_line(font, "Kills: %d", p.kills, -0.8, 0.0);
  if (p.mice != 0) {
    draw_text(font, "Mice:", -0.8, -0.1, 0.1);
    draw_mouse_pictures(textures, p.mice, -0.2);
  }
  glColor3d(1.0, 1.0, 1.0);
}

// The ending's closing lines by the number of mice caught.
void draw_ending_mice(const font_pair& font, const player& p, const texture_table& textures) {
  if (p.mice == 0) {
    draw_text(font, "You didnt find any", -1.0, -0.6, 0.1);
    draw_text(font, "mice. Too bad... ;>", -1.0, -0.7, 0.1);
    draw_text(font, "Press ESC to exit.", -1.0, -1.0, 0.1);
    return;
  }
  draw_text(font, "Mice:", -0.8, -0.5, 0.1);
  draw_mouse_pictures(textures, p.mice, -0.6);
  if (p.mice == mice_for_secret_level) {
    draw_text(font, "I have a bowl cut.", -1.0, -0.8, 0.1);
    draw_text(font, "I love Jews!", -1.0, -0.9, 0.1);
    draw_text(font, "Jews Rock!", -1.0, -1.0, 0.1);
    draw_text(font, "Press space for secret level", -1.0, -0.7, 0.05);
  } else if (p.mice >= 3) {
    draw_text(font, "Thats a lot of mice!", -1.0, -0.8, 0.1);
    draw_text(font, "Great job! You Rock!", -1.0, -0.9, 0.1);
    draw_text(font, "Press ESC to exit.", -1.0, -1.0, 0.1);
  }
}

void draw_ending(const font_pair& font, const player& p, const texture_table& textures) {
  draw_text(font, "CONGRATULATIONS!", -1.0, 0.8, 0.12);
  for (const screen_line& line : ending_lines) draw_text(font, line.text, -1.0, line.y, 0.1);
  draw_number_line(font, "Score: %d", p.score, -0.8, -0.3);
  draw_number_line(font, "Kills: %d", p.kills, -0.8, -0.4);
  draw_ending_mice(font, p, textures);
  glColor3d(1.0, 1.0, 1.0);
}

void draw_story(const font_pair& font, const menu_state& menu) {
  glColor3d(1.0, 1.0, 1.0);
  draw_text(font, "THE STORY SO FAR", -1.0, 0.8, 0.12);
  for (const screen_line& line : story_lines) draw_text(font, line.text, -0.9, line.y, 0.08);
  if (menu.prompt_on) draw_text(font, "Press Space", -0.9, -0.8, 0.15);
}

void draw_death(const font_pair& font, const menu_state& menu, const player& p) {
  glColor3d(1.0, 1.0, 1.0);
  draw_text(font, "YOU DIED", -0.6, 0.8, 0.15);
  draw_text(font, "\"The only winning move", -0.9, 0.0, 0.08);
  draw_text(font, "is not to play\"", -0.9, -0.1, 0.08);
  if (menu.prompt_on && p.level_number != final_level) draw_text(font, "Press Space", -0.85, -0.8, 0.15);
}

}  // namespace

void draw_screens(const menu_state& menu, const player& p, const texture_table& textures) {
  font_pair font = hud_font(textures);
  if (menu.level_complete_screen && p.level_number != final_level) draw_level_complete(font, p, textures);
  if (menu.level_complete_screen && p.level_number == final_level) draw_ending(font, p, textures);
  if (menu.story_screen) {
    draw_story(font, menu);
  } else if (menu.death_screen) {
    draw_death(font, menu, p);
  } else if (menu.prompt_on && menu.menu_music_started && !menu.start_level_request &&
             p.level_number != final_level) {
    // The level-complete screen's prompt; the ending has none.
    glColor3d(1.0, 0.0, 0.0);
    draw_text(font, "Press Space", -0.85, -0.8, 0.15);
    glColor3d(1.0, 1.0, 1.0);
  }
}
