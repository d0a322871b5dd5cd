// The gamepad: SDL's virtual pad played through the main loop's own gamepad
// and game passes on the compiled demo arena, the menus' keys, and which key
// the pad holds for each binding.
#include "platform/gamepad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/gamepad_pass.h"
#include "app/run_game.h"
#include "base/flags.h"
#include "config/key_code.h"
#include "config/keyboard_poll.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "player/gamepad_input.h"
#include "player/player.h"
#include "tests/scenario/demo/demo_rig.h"
#include "tests/support/capture_stdout.h"

namespace {

std::string arena_map() {
  const char* source = getenv("TARVO_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/scenario/demo/arena.t3bsp";
}

int slot_of(char c) { return c - 33; }

// A game on the arena with a virtual pad plugged in; each pass drains the
// messages, runs the pad's mapping and then the game pass, as the main loop
// does.
struct pad_game {
  demo_rig rig;
  std::string map = arena_map();
  int pad = -1;

  bool start() {
    // SDL feeds a pad only to a program whose window has the keyboard
    // focus; the offscreen driver gives no window the focus.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    game_options options{};
    options.map_path = map.c_str();
    if (!rig.start(options)) return false;
    // Live play: the keyboard poll asks the platform, which the pad feeds.
    rig.gs->demo = nullptr;
    capture_stdout_begin();
    gamepad_start();
    pad = platform_gamepad_attach_virtual("Tarvo test pad");
    rig.log += capture_stdout_end();
    return pad >= 0;
  }
  void button(gamepad_button b, bool down) { platform_gamepad_set_virtual_button(pad, b, down); }
  void axis(gamepad_axis a, int value) {
    platform_gamepad_set_virtual_axis(pad, a, static_cast<int16_t>(value));
  }
  void pass(int count = 1) {
    for (int i = 0; i < count; ++i) {
      if (rig.gs->menu.active) {
        ADD_FAILURE() << "the level ended";
        return;
      }
      // The main loop drains the messages first, which brings SDL's pad
      // state up to date.
      platform_event event;
      while (platform_poll_event(&event)) {
      }
      capture_stdout_begin();
      gamepad_pass(*rig.gs);
      game_pass(*rig.gs);
      rig.log += capture_stdout_end();
      rig.gs->mouse.x_motion = 0;
      rig.gs->mouse.y_motion = 0;
    }
  }
  player& p() { return rig.gs->the_player; }
  int32_t slot(int s) { return rig.gs->keys->slots[s]; }
  ~pad_game() {
    platform_gamepad_detach_virtual(pad);
    gamepad_stop();
  }
};

double yaw_change(double before, double after) {
  double d = after - before;
  while (d > 180.0) d -= 360.0;
  while (d < -180.0) d += 360.0;
  return d;
}

}  // namespace

TEST(Gamepad, APadPlayerMovesLooksFiresAndCyclesGunsOnTheArena) {
  pad_game game;
  ASSERT_TRUE(game.start()) << game.rig.log;
  game.pass();
  EXPECT_NE(game.rig.log.find("gamepad: Tarvo test pad connected\n"), std::string::npos) << game.rig.log;

  // The left stick pushed forward is the forward key: its slot is pressed,
  // then held, and the player walks.
  double start_z = game.p().pos[2];
  double start_x = game.p().pos[0];
  game.axis(pad_left_y, -32767);
  game.pass();
  EXPECT_EQ(game.slot(slot_of('w')), key_pressed);
  game.pass(30);
  EXPECT_EQ(game.slot(slot_of('w')), key_held);
  EXPECT_EQ(game.slot(slot_of('s')), key_up);
  double walked = std::hypot(game.p().pos[0] - start_x, game.p().pos[2] - start_z);
  EXPECT_GT(walked, 1.0);
  game.axis(pad_left_y, 0);
  game.pass();
  EXPECT_EQ(game.slot(slot_of('w')), key_released);

  // Inside the dead zone the sticks do nothing.
  double yaw = game.p().yaw;
  game.axis(pad_right_x, 32767 * 20 / 100);
  game.axis(pad_left_x, -32767 * 20 / 100);
  game.pass(10);
  EXPECT_EQ(game.p().yaw, yaw);
  EXPECT_EQ(game.slot(slot_of('a')), key_up);

  // Full right tilt for half a second: joy_look_speed (3000 shipped) counts
  // a second at m_speed 0.06 turn 180 degrees a second, to the right (yaw
  // falls).
  game.axis(pad_left_x, 0);
  game.axis(pad_right_x, 32767);
  game.pass(30);
  EXPECT_NEAR(yaw_change(yaw, game.p().yaw), -90.0, 1.0);
  // Half the tilt beyond the dead zone turns half as fast, fractions of a
  // count carried from tick to tick.
  yaw = game.p().yaw;
  game.axis(pad_right_x, -static_cast<int>(32767 * 0.625));
  game.pass(60);
  EXPECT_NEAR(yaw_change(yaw, game.p().yaw), 90.0, 1.0);
  game.axis(pad_right_x, 0);

  // The right trigger is the left mouse button: the gun in hand fires.
  int gun = game.p().current_gun;
  int32_t loaded = game.p().guns[gun].loaded;
  game.axis(pad_trigger_right, 32767);
  game.pass(20);
  EXPECT_EQ(game.rig.gs->mouse.left, 1);
  EXPECT_LT(game.p().guns[gun].loaded, loaded);
  game.axis(pad_trigger_right, -32768);  // a trigger at rest
  game.pass();
  EXPECT_EQ(game.rig.gs->mouse.left, 0);
  EXPECT_EQ(game.rig.gs->mouse.left_previous, 1);

  // The left trigger is the right mouse button: the view zooms.
  game.axis(pad_trigger_left, 30000);
  game.pass(2);
  EXPECT_EQ(game.p().zoom_flag, 1);
  game.axis(pad_trigger_left, -32768);
  game.pass(2);
  EXPECT_EQ(game.p().zoom_flag, 0);

  // The right shoulder is the next-gun key, the left one the previous-gun key.
  gun = game.p().current_gun;
  game.button(pad_right_shoulder, true);
  game.pass(2);
  game.button(pad_right_shoulder, false);
  game.pass(2);
  int next = game.p().current_gun;
  EXPECT_NE(next, gun);
  game.button(pad_left_shoulder, true);
  game.pass(2);
  game.button(pad_left_shoulder, false);
  game.pass(2);
  EXPECT_NE(game.p().current_gun, next);

  // A is the jump binding.
  game.button(pad_a, true);
  game.pass();
  EXPECT_EQ(game.slot(key_slot_space), key_pressed);
  game.button(pad_a, false);
  game.pass(30);

  // With the console open the pad types nothing and turns nothing.
  game.rig.gs->the_console.console_open = 1;
  yaw = game.p().yaw;
  game.axis(pad_left_y, -32767);
  game.axis(pad_right_x, 32767);
  game.pass(5);
  EXPECT_EQ(game.slot(slot_of('w')), key_up);
  EXPECT_EQ(game.p().yaw, yaw);
  EXPECT_EQ(game.rig.gs->the_console.input_length, 0);
  game.rig.gs->the_console.console_open = 0;
  game.axis(pad_left_y, 0);
  game.axis(pad_right_x, 0);
  game.pass(2);

  // Start tapped does not end the game; held for a second it is Escape.
  game.button(pad_start, true);
  game.pass(30);
  game.button(pad_start, false);
  game.pass();
  EXPECT_FALSE(platform_key_down(vk_escape));
  game.button(pad_start, true);
  game.pass(59);
  EXPECT_FALSE(platform_key_down(vk_escape));
  game.pass();
  EXPECT_TRUE(platform_key_down(vk_escape));
  game.button(pad_start, false);
  game.pass();
  EXPECT_FALSE(platform_key_down(vk_escape));

  // Pulled out while a button is down: its key goes up and the pad is
  // forgotten; plugged in again, it plays on.
  game.button(pad_b, true);
  game.pass(3);
  EXPECT_EQ(game.slot(slot_of('c')), key_held);
  platform_gamepad_detach_virtual(game.pad);
  game.pass();
  EXPECT_EQ(game.slot(slot_of('c')), key_released);
  EXPECT_TRUE(lines_in_order(
      game.rig.log, {"gamepad: Tarvo test pad connected\n", "gamepad: Tarvo test pad disconnected\n"}))
      << game.rig.log;
  game.pad = platform_gamepad_attach_virtual("Tarvo test pad");
  ASSERT_GE(game.pad, 0);
  game.axis(pad_right_x, 32767);
  yaw = game.p().yaw;
  game.pass(10);
  EXPECT_LT(yaw_change(yaw, game.p().yaw), -10.0);
  EXPECT_EQ(count_occurrences(game.rig.log, "gamepad: Tarvo test pad connected\n"), 2);
}

TEST(Gamepad, TheMenusTakeSpaceAndArrowsAndALevelTakesTheBindings) {
  player p{};
  player_default_bindings(p);
  config_table config{};
  set_config_defaults(config);
  gamepad_input input{};
  mouse_state mouse{};
  uint8_t held[256];
  auto held_vks = [&]() {
    std::string out;
    for (int vk = 0; vk < 256; ++vk)
      if (held[vk]) out += std::to_string(vk) + " ";
    return out;
  };

  gamepad_state pad{};
  pad.connected = 1;
  pad.buttons = 1u << pad_a | 1u << pad_dpad_down;
  gamepad_map(input, pad, gamepad_menus, p, config, 1.0 / 60, mouse, held);
  EXPECT_EQ(held_vks(), "32 40 ");  // Space and the down arrow
  pad.buttons = 0;
  pad.axes[pad_left_x] = 32000;  // the stick also steers the menus
  gamepad_map(input, pad, gamepad_menus, p, config, 1.0 / 60, mouse, held);
  EXPECT_EQ(held_vks(), "39 ");

  // Jump bound to "j", forward to upper-case "W": A holds J and no Space,
  // the stick holds shift with W.
  p.key_bindings[bind_jump] = 'j';
  p.key_bindings[bind_forward] = 'W';
  pad.axes[pad_left_x] = 0;
  pad.axes[pad_left_y] = -32000;
  pad.buttons = 1u << pad_a;
  gamepad_map(input, pad, gamepad_game, p, config, 1.0 / 60, mouse, held);
  EXPECT_EQ(held_vks(), "16 74 87 ");
  EXPECT_EQ(mouse.x_motion, 0);

  // An unbound action holds nothing; neither does an unplugged pad.
  p.key_bindings[bind_jump] = 0;
  pad.axes[pad_left_y] = 0;
  gamepad_map(input, pad, gamepad_game, p, config, 1.0 / 60, mouse, held);
  EXPECT_EQ(held_vks(), "");
  pad.connected = 0;
  pad.buttons = ~0u;
  gamepad_map(input, pad, gamepad_game, p, config, 1.0 / 60, mouse, held);
  EXPECT_EQ(held_vks(), "");
}

TEST(Gamepad, EveryBindableKeyIsPressedByTheKeyThePadHolds) {
  // For every code a binding can name, holding the key the pad chooses
  // (with shift when it says so) makes the keyboard poll press that code's
  // slot.
  static int chosen_vk;
  static bool chosen_shift;
  for (int code = 0; code < 256; ++code) {
    binding_key key = gamepad_binding_key(static_cast<uint8_t>(code));
    int slot = key_code_slot(static_cast<uint8_t>(code));
    if (slot < 0) {
      EXPECT_EQ(key.vk, -1) << code;
      continue;
    }
    ASSERT_GE(key.vk, 1) << "no key for code " << code;
    chosen_vk = key.vk;
    chosen_shift = key.shift;
    key_state keys{};
    poll_keyboard(keys, [](int vk) { return vk == chosen_vk || (chosen_shift && vk == vk_shift); });
    EXPECT_EQ(keys.slots[slot], key_pressed) << "code " << code << " vk " << key.vk;
  }
  // The plain keys need no shift.
  EXPECT_EQ(gamepad_binding_key('w').vk, 'W');
  EXPECT_FALSE(gamepad_binding_key('w').shift);
  EXPECT_EQ(gamepad_binding_key(134).vk, vk_control);
  EXPECT_EQ(gamepad_binding_key(32).vk, vk_space);
  EXPECT_EQ(gamepad_binding_key(128).vk, vk_space);
  EXPECT_EQ(gamepad_binding_key('W').vk, 'W');
  EXPECT_TRUE(gamepad_binding_key('W').shift);
}

TEST(Gamepad, ADeadZoneOutsideItsRangeIsHeldToItAndLoggedOnce) {
  config_table config{};
  set_config_defaults(config);
  gamepad_input input{};
  EXPECT_DOUBLE_EQ(gamepad_deadzone(input, config), 0.25);
  config_find(config, "joy_deadzone")->value.as_int = 150;
  capture_stdout_begin();
  double first = gamepad_deadzone(input, config);
  double second = gamepad_deadzone(input, config);
  config_find(config, "joy_deadzone")->value.as_int = -4;
  double third = gamepad_deadzone(input, config);
  std::string log = capture_stdout_end();
  EXPECT_DOUBLE_EQ(first, 0.9);
  EXPECT_DOUBLE_EQ(second, 0.9);
  EXPECT_DOUBLE_EQ(third, 0.0);
  EXPECT_EQ(log,
            "gamepad: joy_deadzone 150 is outside 0 to 90; using 90\n"
            "gamepad: joy_deadzone -4 is outside 0 to 90; using 0\n");

  // The largest dead zone still leaves the stick a range to turn in.
  config_find(config, "joy_deadzone")->value.as_int = 90;
  player p{};
  gamepad_state pad{};
  pad.connected = 1;
  pad.axes[pad_right_x] = 32767;
  mouse_state mouse{};
  uint8_t held[256];
  gamepad_map(input, pad, gamepad_game, p, config, 1.0, mouse, held);
  EXPECT_EQ(mouse.x_motion, 180);
}
