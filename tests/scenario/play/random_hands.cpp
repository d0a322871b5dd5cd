// A random player's hands on the keyboard, the mouse and the console.
#include "tests/scenario/play/random_hands.h"

#include <array>
#include <cstring>

#include "config/config_table.h"
#include "config/key_code.h"
#include "config/keyboard_poll.h"
#include "player/player.h"

namespace {

constexpr int vk_grave = 0xC0;  // the console's key
constexpr int code_backspace = 127;
constexpr int code_return = 129;

struct key_press {
  int vk;  // 0: no key presses the slot
  bool shift;
};

int probe_vk = 0;
bool probe_shift = false;
bool probe_down(int vk) { return vk == probe_vk || (probe_shift && vk == vk_shift); }

// Which key, with shift or without, makes the keyboard poll press each
// slot: found by asking the poll itself about every key.
const std::array<key_press, key_slot_count>& slot_keys() {
  static const std::array<key_press, key_slot_count> table = [] {
    std::array<key_press, key_slot_count> found{};
    for (int shift = 0; shift < 2; ++shift)
      for (int vk = 1; vk < 256; ++vk) {
        if (vk == vk_shift || vk == vk_escape) continue;
        probe_vk = vk;
        probe_shift = shift != 0;
        key_state keys{};
        poll_keyboard(keys, probe_down);
        for (int slot = 0; slot < key_slot_count; ++slot)
          if (keys.slots[slot] == key_pressed && found[slot].vk == 0) found[slot] = {vk, shift != 0};
      }
    return found;
  }();
  return table;
}

// Holds the key that a binding or a typed character names.
void add_key(std::set<int>& keys, int code) {
  int slot = key_code_slot(static_cast<uint8_t>(code));
  if (slot < 0 || slot_keys()[slot].vk == 0) return;
  keys.insert(slot_keys()[slot].vk);
  if (slot_keys()[slot].shift) keys.insert(vk_shift);
}

std::string pick(std::mt19937_64& rng, std::initializer_list<const char*> from) {
  return *(from.begin() + rng() % from.size());
}

// A value the console takes for the variable. The tick rate stays between
// 30 and 240 (or 0, which the game refuses for its fallback) and the window
// small; every other variable may get any number of up to five digits.
std::string good_value(std::mt19937_64& rng, const char* name) {
  if (strcmp(name, "vid_fps") == 0) return pick(rng, {"30", "50", "60", "75", "100", "144", "240", "0"});
  if (strcmp(name, "vid_mode") == 0) return pick(rng, {"0", "1", "9", "10", "99"});
  if (name[0] == 'm') return pick(rng, {"0", "0.01", "0.06", "0.5", "1", "2.5", "10", "99999", "3."});
  // Keys: letters, digits, space, the arrows and control, the console's own
  // key, an upper-case letter (with shift), and codes that name no key.
  if (strncmp(name, "in_", 3) == 0 && rng() % 4 != 0)
    return pick(rng, {"119", "115", "97",  "100", "32",  "99",  "114", "49", "50", "113",
                      "101", "132", "133", "134", "130", "131", "96",  "65", "0",  "255"});
  switch (rng() % 3) {
    case 0:
      return std::to_string(rng() % 3);
    case 1:
      return std::to_string(rng() % 200);
    default:
      return std::to_string(rng() % 100000);
  }
}

}  // namespace

std::string random_console_line(std::mt19937_64& rng, const config_table& config) {
  std::string name = config.vars[rng() % config_table_size].name;
  bool free_range = name != "vid_fps" && name != "vid_mode";
  switch (rng() % 20) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      return name + " " + good_value(rng, name.c_str());
    case 7:
    case 8:
      return name;
    case 9:
    case 10:
    case 11:
      return name + " " + pick(rng, {"-5", "abc", "1e3", "0x1f", "+7", "5,5", "-", "1-2", "60fps"});
    case 12:
      return free_range ? name + " 1234567" : name + "  " + good_value(rng, name.c_str()) + "  9";
    case 13:
      return "  " + name + " " + good_value(rng, name.c_str());
    case 14:
    case 15:
      return pick(rng, {"god", "noclip", "give all", "map facility", "quit now", "vid_restart 1", "QUIT",
                        "help", "vid_fps_x 60", "m_speedy 2", "in_ 5", "="});
    case 16:
      return rng() % 2 ? std::string(45, 'z') : name + "_and_more_than_nineteen 5";
    case 17:
      return "";
    case 18:
      return rng() % 3 == 0 ? "vid_restart" : "vid_restart now";
    default:
      return rng() % 6 == 0 ? "quit" : "quit " + name;
  }
}

void random_hands::next_pass(const player& p, const config_table& config, std::set<int>& keys,
                             std::vector<platform_event>& mouse) {
  keys.clear();
  mouse.clear();
  if (!typing.empty()) {
    keys = typing.front();
    typing.pop_front();
    if (keys.count(vk_return)) ++lines_typed;
    return;
  }
  if (span_left-- <= 0) {
    span_left = rng() % 8 == 0 ? 120 + rng() % 240 : 1 + rng() % 60;
    held.clear();
    if (rng() % 10 == 0) {
      // To the console: open it, type one to three lines, mostly close it.
      auto press = [&](std::set<int> down) {
        typing.push_back(down);
        typing.push_back({});
      };
      press({vk_grave});
      for (int lines = 1 + rng() % 3; lines > 0; --lines) {
        for (char c : random_console_line(rng, config)) {
          std::set<int> down;
          add_key(down, c);
          if (rng() % 25 == 0) add_key(down, code_backspace);  // a slip, taken instead of the character
          press(down);
        }
        std::set<int> enter;
        add_key(enter, code_return);
        press(enter);
      }
      if (rng() % 10 != 0) press({vk_grave});
      span_left = 0;
      return;
    }
    // Each action's key held or not; moving and firing more often.
    for (int b = 0; b < key_binding_count; ++b) {
      unsigned chance = b == bind_forward                     ? 50
                        : b == bind_fire                      ? 35
                        : b >= bind_gun1 && b <= bind_prevgun ? 6
                                                              : 20;
      if (b != bind_look_key_speed && rng() % 100 < chance) add_key(held, p.key_bindings[b]);
    }
    turn_x = static_cast<int>(rng() % 51) - 25;
    turn_y = static_cast<int>(rng() % 17) - 8;
    want_left = rng() % 100 < 35;
    want_right = rng() % 100 < 15;
  }
  keys = held;
  platform_event e{};
  e.kind = platform_event_mouse;
  e.has_motion = 1;
  e.mouse_dx = turn_x;
  e.mouse_dy = turn_y;
  if (rng() % 300 == 0) e.mouse_dx = (rng() % 2 ? 1 : -1) * static_cast<int>(500 + rng() % 20000);  // a flick
  if (rng() % 300 == 0) e.mouse_dy = (rng() % 2 ? 1 : -1) * static_cast<int>(500 + rng() % 20000);
  if (want_left != left) e.mouse_buttons |= want_left ? mouse_left_down : mouse_left_up;
  if (want_right != right) e.mouse_buttons |= want_right ? mouse_right_down : mouse_right_up;
  left = want_left;
  right = want_right;
  mouse.push_back(e);
}
