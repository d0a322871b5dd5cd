// The table of the configuration variables and their defaults: the game's
// 35, then the gamepad's, the HUD's and the skill.
#pragma once
#include <cstdint>

// The game's own variables, in their fixed order. Demos record exactly these.
constexpr int config_var_count = 35;
// The variables that stand after the 35: the gamepad's joy_look_speed and
// joy_deadzone, the HUD's hud_hurt_flash and hud_crosshair, and the skill
// the levels are played at.
constexpr int config_extra_var_count = 5;
// Every variable of the table.
constexpr int config_table_size = config_var_count + config_extra_var_count;
constexpr int config_name_size = 24;

// A variable's value: a double when the name begins with "m", otherwise a
// signed 32-bit integer.
union config_value {
  double as_double;
  int32_t as_int;
};

// One named variable.
struct config_var {
  char name[config_name_size];
  config_value value;
};

// All variables in their fixed order, then the flag the console raises when
// it sets one (bind_keys clears it).
struct config_table {
  config_var vars[config_table_size];
  int32_t config_changed;
};

// Whether a variable of this name holds a double (names beginning with "m").
bool config_is_double(const char* name);

// Writes every variable of the table with its default, in table order.
// Called by load_config before the file is read.
void set_config_defaults(config_table& table);

// The variable called `name` (exact, case-sensitive), or null.
config_var* config_find(config_table& table, const char* name);
const config_var* config_find(const config_table& table, const char* name);
