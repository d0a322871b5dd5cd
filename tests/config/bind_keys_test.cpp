// Applying the variables: bindings, mouse speeds, look speed, video settings.
#include "player/bind_keys.h"

#include <gtest/gtest.h>

#include "config/config_table.h"
#include "config/debug_flags.h"
#include "config/video_settings.h"
#include "player/player.h"

namespace {

class BindKeys : public testing::Test {
 protected:
  void SetUp() override {
    set_config_defaults(table);
    player_init(the_player, table);
  }
  config_var& var(const char* name) { return *config_find(table, name); }
  void bind() { bind_keys(table, video, the_player); }

  config_table table{};
  video_settings video{};
  player the_player{};
};

TEST_F(BindKeys, MouseSpeedOverridesBothAxes) {
  var("m_speed").value.as_double = 2.0;
  var("m_speed_x").value.as_double = 0.5;
  var("m_speed_y").value.as_double = 0.25;
  bind();
  EXPECT_EQ(the_player.mouse_speed_x, 2.0);
  EXPECT_EQ(the_player.mouse_speed_y, 2.0);
  EXPECT_EQ(var("m_speed_x").value.as_double, 2.0);
  EXPECT_EQ(var("m_speed_y").value.as_double, 2.0);
}

TEST_F(BindKeys, LookSpeedIsTruncatedToItsLowByte) {
  var("m_kb_look_speed").value.as_double = 2.9;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_look_key_speed], 2);
  var("m_kb_look_speed").value.as_double = 257.5;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_look_key_speed], 1);
  var("m_kb_look_speed").value.as_double = -1.5;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_look_key_speed], 255);
  // Far outside the integer range: still the low byte of the whole number.
  var("m_kb_look_speed").value.as_double = 4294967296.0 + 7.0;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_look_key_speed], 7);
  var("m_kb_look_speed").value.as_double = 1e300;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_look_key_speed], 0);
}

TEST_F(BindKeys, InVariablesFillTheirBindings) {
  var("in_forward").value.as_int = 0x100 + 'i';
  var("in_gun3").value.as_int = '8';
  var("in_fire").value.as_int = 128;
  var("in_lookright").value.as_int = -1;
  bind();
  EXPECT_EQ(the_player.key_bindings[bind_forward], 'i');
  EXPECT_EQ(the_player.key_bindings[bind_gun1 + 2], '8');
  EXPECT_EQ(the_player.key_bindings[bind_fire], 128);
  EXPECT_EQ(the_player.key_bindings[bind_lookright], 255);
  // Untouched ones keep the defaults the variables hold.
  EXPECT_EQ(the_player.key_bindings[bind_backward], 's');
  EXPECT_EQ(the_player.key_bindings[bind_gun1 + 4], '5');
  EXPECT_EQ(the_player.key_bindings[bind_prevgun], 'e');
}

TEST_F(BindKeys, RefreshesTheVideoSettingsOnly) {
  video.fps_value = 42;
  video.desktop_width = 1920;
  var("vid_fov").value.as_int = 75;
  var("vid_mode").value.as_int = 1;
  table.config_changed = 1;
  bind();
  EXPECT_EQ(video.fov, 75);
  EXPECT_EQ(video.width, 640);
  EXPECT_EQ(video.fps_value, 42);
  EXPECT_EQ(video.desktop_width, 1920);
  EXPECT_EQ(table.config_changed, 0);
}

TEST(DebugFlags, BuiltFromTheDbgVariables) {
  config_table table{};
  set_config_defaults(table);
  EXPECT_EQ(debug_draw_flags_from(table), 1 | 2);
  config_find(table, "dbg_draw_vel")->value.as_int = 2;
  config_find(table, "dbg_draw_accel")->value.as_int = 3;
  config_find(table, "dbg_draw_fps")->value.as_int = -1;
  EXPECT_EQ(debug_draw_flags_from(table), 4 | 16);
  config_find(table, "dbg_draw_vel")->value.as_int = 0;
  config_find(table, "dbg_draw_accel")->value.as_int = 2;
  config_find(table, "dbg_draw_fps")->value.as_int = 0;
  EXPECT_EQ(debug_draw_flags_from(table), 8);
}

}  // namespace
