// The Controls page of the options: bound actions, their keys, rebinding.
#include "game/menu_controls.h"

#include <GL/gl.h>

#include <cstring>

#include "config/config_save.h"
#include "config/config_table.h"
#include "config/key_code.h"
#include "config/key_state.h"
#include "game/menu_keys.h"
#include "game/menu_options.h"
#include "platform/keyboard.h"
#include "render/draw_2d.h"
#include "render/text.h"

namespace {

constexpr double heading_y = 0.78;
constexpr double first_row_y = 0.66;
constexpr double row_step = 0.08;
constexpr double row_size = 0.07;
constexpr double label_x = -0.8;
constexpr double key_x = 0.2;

struct action_label {
  const char* name;
  const char* label;
};

constexpr action_label labels[] = {
    {"in_forward", "Forward"},
    {"in_backward", "Backward"},
    {"in_moveleft", "Strafe left"},
    {"in_moveright", "Strafe right"},
    {"in_jump", "Jump"},
    {"in_crouch", "Crouch"},
    {"in_gun1", "Gun 1"},
    {"in_gun2", "Gun 2"},
    {"in_gun3", "Gun 3"},
    {"in_gun4", "Gun 4"},
    {"in_gun5", "Gun 5"},
    {"in_reload", "Reload"},
    {"in_nextgun", "Next gun"},
    {"in_prevgun", "Previous gun"},
    {"in_lookleft", "Turn left"},
    {"in_lookright", "Turn right"},
    {"in_fire", "Fire"},
};

bool is_binding(const config_var& var) { return strncmp(var.name, "in_", 3) == 0; }

int binding_count(const config_table& config) {
  int n = 0;
  for (const config_var& var : config.vars) n += is_binding(var) ? 1 : 0;
  return n;
}

config_var* row_var(config_table& config, int32_t row) {
  int32_t k = 0;
  for (config_var& var : config.vars)
    if (is_binding(var) && ++k == row) return &var;
  return nullptr;
}

double row_y(int32_t row) { return first_row_y - row_step * (row - 1); }

// Writes every binding into the config, as the options page writes its own.
void save_bindings(const config_table& config) {
  const char* names[config_table_size];
  int count = 0;
  for (const config_var& var : config.vars)
    if (is_binding(var)) names[count++] = var.name;
  config_save(config, names, count);
}

// The first key that went down this pass; -1 for none.
int pressed_slot(const key_state& keys) {
  for (int slot = 0; slot < key_slot_count; ++slot)
    if (keys.slots[slot] == key_pressed) return slot;
  return -1;
}

bool any_key_down(const key_state& keys, key_down_test key_down) {
  for (int slot = 0; slot < key_slot_count; ++slot)
    if (keys.slots[slot] == key_pressed || keys.slots[slot] == key_held) return true;
  return key_down(vk_up) || key_down(vk_down) || key_down(vk_space);
}

void leave_page(menu_state& menu) {
  menu.page = page_options;
  menu.cursor = option_cursor_of(option_controls);
  menu.binding_row = 0;
}

// The row waiting for its key takes the first one pressed, or Escape
// cancels it.
void wait_for_key(menu_state& menu, config_table& config, const key_state& keys, bool escape) {
  if (escape) {
    menu.binding_row = 0;
    menu_accept_key(menu);
    return;
  }
  int slot = pressed_slot(keys);
  if (slot < 0) return;
  if (controls_bind(config, menu.binding_row, key_code_of_slot(slot))) save_bindings(config);
  menu.binding_row = 0;
  menu.binding_wait_keys = 1;
  menu_accept_key(menu);
}

void move_or_choose(menu_state& menu, const config_table& config, key_down_test key_down) {
  int32_t back = controls_back_row(config);
  if (key_down(vk_up)) {
    menu_accept_key(menu);
    if (menu.cursor > 1) menu.cursor -= 1;
  } else if (key_down(vk_down)) {
    menu_accept_key(menu);
    if (menu.cursor < back) menu.cursor += 1;
  } else if (key_down(vk_space)) {
    menu_accept_key(menu);
    if (menu.cursor == back)
      leave_page(menu);
    else
      menu.binding_row = menu.cursor;
  }
}

}  // namespace

int32_t controls_back_row(const config_table& config) { return binding_count(config) + 1; }

const config_var* controls_row_var(const config_table& config, int32_t row) {
  return row_var(const_cast<config_table&>(config), row);
}

const char* controls_action_label(const char* name) {
  for (const action_label& a : labels)
    if (strcmp(a.name, name) == 0) return a.label;
  return name;
}

bool controls_bind(config_table& config, int32_t row, uint8_t code) {
  config_var* var = row_var(config, row);
  if (!var || key_code_slot(code) < 0) return false;
  int32_t old = var->value.as_int;
  for (config_var& other : config.vars)
    if (&other != var && is_binding(other) &&
        key_code_slot(static_cast<uint8_t>(other.value.as_int)) == key_code_slot(code))
      other.value.as_int = old;
  var->value.as_int = code;
  return true;
}

void draw_controls_page(const menu_state& menu, const font_pair& font, const config_table& config) {
  draw_color_quad(-0.96, -0.97, 1.92, 1.92, 0.0, 0.0, 0.0, 0.95);
  draw_text(font, "Controls", -0.9, heading_y, 0.12);
  int32_t back = controls_back_row(config);
  char key[24];
  for (int32_t row = 1; row < back; ++row) {
    const config_var* var = controls_row_var(config, row);
    draw_text(font, controls_action_label(var->name), label_x, row_y(row), row_size);
    if (menu.binding_row == row) {
      glColor3d(1.0, 0.85, 0.2);
      draw_text(font, "press a key", key_x, row_y(row), row_size);
      glColor3d(1.0, 1.0, 1.0);
    } else {
      key_code_name(static_cast<uint8_t>(var->value.as_int), key, sizeof key);
      draw_text(font, key, key_x, row_y(row), row_size);
    }
  }
  draw_text(font, "Back", label_x, row_y(back), row_size);
  draw_text(font, ">", -0.9, row_y(menu.cursor), row_size);
  draw_text(font, "Space: choose a row, then press its key", -0.9, -0.86, 0.045);
  draw_text(font, "Esc: cancel, or back to the options", -0.9, -0.93, 0.045);
}

void controls_keys(menu_state& menu, config_table& config, const key_state& keys, key_down_test key_down) {
  bool escape = key_down(vk_escape) && !menu.escape_held;
  if (escape) menu.escape_held = 1;
  if (menu.binding_row != 0) {
    wait_for_key(menu, config, keys, escape);
    return;
  }
  // The key just bound (Space or an arrow, say) must be let go before the
  // page acts on keys again.
  if (menu.binding_wait_keys) {
    if (any_key_down(keys, key_down)) return;
    menu.binding_wait_keys = 0;
  }
  if (escape) {
    menu_accept_key(menu);
    leave_page(menu);
    return;
  }
  if (menu.key_ready) move_or_choose(menu, config, key_down);
}

bool menu_takes_escape(const menu_state& menu) {
  return menu.active && (menu.escape_held || (menu.page == page_controls && menu.cursor != 0));
}
